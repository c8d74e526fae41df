#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Message-box styles and answers, with the values of the Win32 call they stand in for.
constexpr std::uint32_t MB_OK = 0x00;
constexpr std::uint32_t MB_YESNOCANCEL = 0x03;
constexpr std::uint32_t MB_YESNO = 0x04;
constexpr std::uint32_t MB_ICONERROR = 0x10;
constexpr std::uint32_t MB_ICONQUESTION = 0x20;
constexpr std::uint32_t MB_ICONINFORMATION = 0x40;
constexpr std::uint32_t MB_DEFBUTTON2 = 0x100;

constexpr std::uint32_t MB_BUTTONMASK = 0x0F;
constexpr std::uint32_t MB_ICONMASK = 0xF0;
constexpr std::uint32_t MB_DEFMASK = 0xF00;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Shows a modal message and returns the pressed button's code. Texts are UTF-8.
// Implementations are called on the user-interface thread.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual int Show(const std::string& Text, const std::string& Caption, std::uint32_t Style) = 0;
};

// The process-wide implementation; not owned. Returns the previous one.
IMessageBox* SetMessageBox(IMessageBox* Impl);
IMessageBox* GetMessageBox();

// Shows through the current implementation, on the user-interface thread: a
// call from another thread goes through the current dispatcher (InvokeSync,
// which raises EUIDispatchDropped at shut-down). Without an implementation (a
// program that has not set up its windows yet) the text goes to the standard
// error stream and the answer is IDCANCEL, as for a box closed without a choice.
int MessageBox(const std::string& Text, const std::string& Caption, std::uint32_t Style);

// Words from outside put into a box's text (the exchange's refusals, failure
// texts) are shown through this: at most cShownChars characters, cut with
// "…". The log keeps them whole.
inline constexpr std::size_t cShownChars = 300;
std::string ShownText(std::string_view Text);
