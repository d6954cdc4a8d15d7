#include <windows.h>

#include <cstdint>
#include <system_error>

#include "device/notification_channel.h"

namespace kadr {
namespace {

// The codes the worker threads post: received data (word: byte count, long: the block) and a
// hangup request.
constexpr UINT kReceivedData = 0x0401;
constexpr UINT kHangup = 0x0402;
constexpr char kWindowClass[] = "KadrNotificationWindow";

Notification TakeNotification(UINT message, WPARAM word, LPARAM block) {
    Notification notification;
    if (message == kReceivedData) {
        notification.kind = Notification::Kind::ReceivedData;
        notification.block.bytes.reset(reinterpret_cast<std::uint8_t*>(block));
        notification.block.count = static_cast<std::uint32_t>(word);
    } else {
        notification.kind = Notification::Kind::Hangup;
    }
    return notification;
}

LRESULT CALLBACK NotificationWindowProc(HWND window, UINT message, WPARAM word, LPARAM block);

ATOM RegisterWindowClass() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = NotificationWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassA(&windowClass);
}

}  // namespace

// The posted messages are the hand-over: the window's message queue keeps them in the order
// posted, whichever message loop of the owning thread runs (Qt's, a modal dialog's, a test's),
// and the block pointer travels in the message, owned by whoever holds the message.
struct NotificationChannel::Native {
    Handler handler;
    HWND window = nullptr;
};

namespace {

LRESULT CALLBACK NotificationWindowProc(HWND window, UINT message, WPARAM word, LPARAM block) {
    if (message == kReceivedData || message == kHangup) {
        Notification notification = TakeNotification(message, word, block);
        auto* handler = reinterpret_cast<NotificationChannel::Handler*>(
            GetWindowLongPtrA(window, GWLP_USERDATA));
        if (handler != nullptr && *handler) {
            (*handler)(notification);
        }
        return 0;  // the block goes with `notification`
    }
    return DefWindowProcA(window, message, word, block);
}

}  // namespace

NotificationChannel::NotificationChannel(Handler handler) : native_(std::make_unique<Native>()) {
    native_->handler = std::move(handler);
    static const ATOM windowClass = RegisterWindowClass();
    if (windowClass == 0) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "RegisterClassA");
    }
    native_->window = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
    if (native_->window == nullptr) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "CreateWindowExA");
    }
    SetWindowLongPtrA(native_->window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(&native_->handler));
}

NotificationChannel::~NotificationChannel() {
    // Notifications nobody will handle any more still own their blocks.
    MSG message;
    while (PeekMessageA(&message, native_->window, kReceivedData, kHangup, PM_REMOVE)) {
        TakeNotification(message.message, message.wParam, message.lParam);
    }
    DestroyWindow(native_->window);
}

bool NotificationChannel::Post(Notification notification) {
    if (notification.kind == Notification::Kind::Hangup) {
        return PostMessageA(native_->window, kHangup, 0, 0) != 0;
    }
    std::uint8_t* block = notification.block.bytes.get();
    if (PostMessageA(native_->window, kReceivedData, notification.block.count,
                     reinterpret_cast<LPARAM>(block)) == 0) {
        return false;  // the block is still ours and goes with `notification`
    }
    notification.block.bytes.release();
    return true;
}

}  // namespace kadr
