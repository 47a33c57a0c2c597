// Watches every dialog and message box the thread opens (the main window excepted),
// records what it showed and closes it, so a test can assert "this box opened with
// this text" and go on without a person.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <utility>
#include <vector>

enum class BoxIcon { None, Exclamation, Information, Question, Error };

// How the player closes a box: its OK button, the Esc key, or the close box.
enum class BoxClose { Ok, Escape, CloseBox };

struct ControlRecord {
    int id;
    std::string className;
    std::string text;
    DWORD style;
    DWORD exStyle;
    RECT rect;      // in the box's client coordinates
    bool visible;
};

struct BoxRecord {
    std::string caption;
    bool isMessageBox;
    std::string text;              // a message box's text
    BoxIcon icon;                  // a message box's icon
    std::vector<ControlRecord> controls;
    HWND owner;
    bool ownerDisabled;
    DWORD style;
    RECT windowRect;

    const ControlRecord* Control(int id) const;
    // The captions of the visible push buttons, in the order the box holds them.
    std::vector<std::string> Buttons() const;
};

class BoxRecorder {
public:
    // While a recorder exists it records the boxes of the calling thread.
    BoxRecorder();
    ~BoxRecorder();
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    // Runs while the box is open and before it is closed; by default nothing.
    // The handler may pump messages (see PumpFor) to watch the box live.
    std::function<void(HWND hBox, const BoxRecord& record)> onBox;
    // How the box is closed. A box that does not close that way fails the test and is
    // then closed with its OK button.
    BoxClose closeWith = BoxClose::Ok;

    const std::vector<BoxRecord>& Boxes() const { return m_boxes; }
    void Clear() { m_boxes.clear(); }
    // Boxes opened and not yet destroyed.
    int OpenCount() const { return (int)m_open.size(); }

    static BoxRecorder* Current();

private:
    static LRESULT CALLBACK HookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK HandlePending(HWND, UINT, UINT_PTR, DWORD);
    static void CALLBACK CheckClosed(HWND, UINT, UINT_PTR, DWORD);
    void Close(HWND hBox);
    void OnDialogInitialised(HWND hBox);
    void OnDestroyed(HWND hWnd);

    HHOOK m_hook;
    std::vector<BoxRecord> m_boxes;
    std::vector<HWND> m_open;
    std::vector<HWND> m_pending;
    std::vector<std::pair<UINT_PTR, HWND>> m_closing;  // each box closed, with its check's timer
};

// Dispatches the thread's messages for about ms milliseconds (timers included), with
// hDialog's keyboard handling as its modal loop gives it.
void PumpFor(DWORD ms, HWND hDialog = nullptr);
// Dispatches messages until done() holds or ms have passed; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD ms, HWND hDialog = nullptr);
