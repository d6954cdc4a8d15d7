#pragma once

#include <functional>
#include <memory>

#include <QMainWindow>

#include "device/upload.h"
#include "device/vss_comm32.h"
#include "editor/app/form_storage.h"
#include "editor/window/bottom_panel.h"
#include "editor/window/command_table.h"
#include "editor/window/status_bar.h"
#include "editor/window/tool_bar.h"
#include "editor/window/upload_presenter.h"
#include "frameset/clipboard_payload.h"
#include "frameset/document.h"

class QMenu;
class QScrollBar;
class QSettings;

namespace kadr::editor {

class CommandSet;
class DrawingCommands;
class FrameStrip;
class RecentFileList;
class TfmNew;
class TfmParam;
class TfmStsMessage;

// The main window: owns the one document for the whole run and shows it as the frame strip.
// Every command calls one operation of the document; the strip, the caption, the undo actions and
// the preview follow the document's change notification.
class TfmMain : public QMainWindow {
    Q_OBJECT

  public:
    explicit TfmMain(QWidget* parent = nullptr);
    ~TfmMain() override;

    // The windows made after this one; the commands that show them need them.
    void AttachWindows(TfmNew* fmNew, TfmStsMessage* fmStsMessage, TfmParam* fmParam);

    Document& Doc() { return document_; }
    const Commands& Actions() const { return commands_; }
    // The declared command of that object name (editor/commands/command_declarations.h).
    QAction* Command(const QString& name) const;
    FrameStrip& Strip() { return *strip_; }
    const BottomPanel& Bottom() const { return bottom_; }
    // 0 the frame count, 1 the upload, 2 how many frames are selected.
    QLabel* StatusPanel(int index) const;

    // The serial port the upload goes through, and the upload itself.
    TVSSComm32& Comm() { return VSSComm321; }
    TDeviceUpload& Upload() { return *upload_; }
    void RxSpeedButton1Click();

    // 10 minus the index of the chosen scale.
    int CellSize() const;
    void RebuildFrameStrip(int cellSize);
    void RefreshGrids();

    // Copy and Paste go through this clipboard: the desktop's one once the private format is
    // registered, else one of the window's own.
    void SetFrameClipboard(FrameClipboard& clipboard) { clipboard_ = &clipboard; }
    FrameClipboard& Clipboard() { return *clipboard_; }

    // Reads a file as Open does: the frames and settings it holds, the strip rebuilt, nothing
    // to undo, the caption naming the file. A file that cannot be read changes nothing.
    void Load(const QString& path);
    // Opens a file named on the command line (or by a double-click on Windows) as Open does
    // with the name chosen in its dialog: the full name goes into the recent files, then Load.
    void OpenNamed(const QString& path);

    // A recovered document in place of the current one, after the usual question about unsaved
    // changes: modified, under its file name. False when the user kept the current one.
    bool OpenRecovered(const FrameSet& recovered);

    // The file commands.
    void acNewExecute();
    void acOpenExecute();
    void acSaveExecute();
    void acSaveAsExecute();
    void PupupFileMenuClick(QAction* item);
    // "Бегущая строка из текста...": the dialog, then the line after the current frame.
    void acTextLineExecute();
    RecentFileList& RecentFiles() { return *recentFiles_; }

    // Whether closing or opening should offer to save: an undoable edit, or a change the history
    // does not record (dots, speeds, orientation) since the document was last new, read or
    // written.
    bool HasUnsavedChanges() const;

    // For the commands kept in files of their own: runs an edit of the document, shows an error
    // in the error box and a refusal in the status bar.
    void PerformEdit(const std::function<EditResult(Document&)>& edit);
    DrawingCommands& Drawing() { return *drawing_; }
    // The speed boxes and the orientation pair show the document's settings again, for a command
    // that changed them (they are not followed from the document: a speed being typed would be
    // overwritten).
    void ShowDocumentSettings();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildLayout();
    void ConnectCommands();
    void FormCreate();
    void FormDestroy();
    void FormStorage1RestorePlacement(QSettings& settings);
    void FormStorage1SavePlacement(QSettings& settings);
    // The speed boxes and the orientation pair hold the settings; files and the upload take
    // them from the document, so typed values are committed there first.
    void CommitDocumentSettings();
    void SyncDocumentSettings();
    void TrackUnrecordedChanges();

    // Each returns whether the document was written.
    bool Save();
    bool SaveAs();
    bool Write(const QString& path);
    // Offers to save a changed document before it is replaced; false when the command must
    // stop (Cancel, or a save that did not happen).
    bool SaveChangesFirst(bool withCancel);
    bool FormCloseQuery();
    void SetTitledCaption();

    // Runs an edit of the document and tells a refusal; the views follow the document.
    template <typename Edit>
    void Perform(Edit edit);
    // The caption and the undo actions follow the document.
    void FollowDocument(const DocumentChange& change);
    void UpdateUndoActions();
    // Every change of the window's size rebuilds the strip, even one that keeps its width.
    void FormResize();
    void cbMashtabChange();
    void N12Click();
    void FormStorage1RestoreProperties(QSettings& settings);
    void FormStorage1SaveProperties(QSettings& settings);

    Document document_;
    FormStorage FormStorage1{QStringLiteral("TfmMain")};
    std::unique_ptr<CommandSet> commandSet_;
    Commands commands_{};
    ToolBar toolBar_{};
    StatusBar status_{};
    BottomPanel bottom_{};
    QMenu* PopupMenu1 = nullptr;
    RecentFileList* recentFiles_ = nullptr;
    // Changes since the last New, read or write that leave no undo step.
    bool unrecordedChanges_ = false;
    bool showingSettings_ = false;
    QMenu* PopupMenu2 = nullptr;
    QWidget* Panel1 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    FrameStrip* strip_ = nullptr;
    MemoryClipboard ownClipboard_;
    std::unique_ptr<FrameClipboard> systemClipboard_;
    FrameClipboard* clipboard_ = &ownClipboard_;
    TVSSComm32 VSSComm321;
    std::unique_ptr<UploadPresenter> uploadPresenter_;
    std::unique_ptr<TDeviceUpload> upload_;
    TfmNew* fmNew_ = nullptr;
    TfmStsMessage* fmStsMessage_ = nullptr;
    TfmParam* fmParam_ = nullptr;
    DrawingCommands* drawing_ = nullptr;
};

}  // namespace kadr::editor
