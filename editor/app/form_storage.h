#pragma once

#include <functional>

#include <QString>

class QSettings;
class QWidget;

namespace kadr::editor {

// The per-user settings store of a window: the values live under the company name, the program's
// name and the owning window's class name (on Windows the registry key
// Software\Tarnovik\<program>\TfmMain). Restoring and saving are called by the window itself.
class FormStorage {
  public:
    static constexpr int kVersion = 0;

    explicit FormStorage(QString ownerClass);

    // Reads nothing when the stored version is older than this store's.
    void RestoreFormPlacement();
    void SaveFormPlacement();

    // The window whose placement is kept; none keeps none.
    QWidget* Window = nullptr;
    // The stored properties of the window's components, after the placement. Whatever goes
    // wrong while they are restored is ignored: the window opens with the values it has.
    std::function<void(QSettings&)> OnRestoreProperties;
    std::function<void(QSettings&)> OnSaveProperties;
    // The owner's own values: called last on restore and on save, with the key open.
    std::function<void(QSettings&)> OnRestorePlacement;
    std::function<void(QSettings&)> OnSavePlacement;

    // The program's name as the settings know it: the executable's name without extension.
    static QString ProgramName();
    // The store itself, at its root; every window's group and the commands' own values are in it.
    static QSettings Store();

  private:
    QString ownerClass_;
};

}  // namespace kadr::editor
