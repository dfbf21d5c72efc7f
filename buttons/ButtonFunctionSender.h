#pragma once

#include <QString>

#include <functional>

class QWidget;

// The one flow by which the button page gives the checked row's mouse button
// a new function: find the checked row, hand the function to a setting
// writer, and only when the writer sent it show it on the row and keep it in
// the mirror; then the page returns to its idle view. The page's controls are
// found by their object names below the page.
class ButtonFunctionSender {
public:
    // What the flow asks of the page besides its named controls.
    struct PageHooks {
        std::function<void()> uncheckFunctionButtons;
        std::function<void()> returnToIdleView;
        std::function<void(int index, int type, int code, int extra)> storeRowAssignment;
    };

    ButtonFunctionSender(QWidget* page, PageHooks hooks);

    // A button of the fixed-header table, by object name.
    void SendSingleCode(bool checked, const QString& button);
    // A media button of the consumer-key table, by object name.
    void SendMediaKey(bool checked, const QString& mediaButton);
    // A DPI button with the code of its DPI.
    void SendDpiLock(bool checked, const QString& dpiButton, int code);

    // A key combination to the checked row's button; the page shows
    // `afterView` in place of its idle view.
    void SendKeyCombination(const QString& text, const std::function<void()>& afterView);
    // Rapid fire with an interval and a count; the row shows DPI_6's text.
    void SendFireKey(int interval, int count);

    // The media key of a code to a given mouse button, without a click and
    // without touching the view. A code of no media key or a button outside
    // 0 to 11 changes nothing.
    void AssignMediaKey(int button, int code);
    // The same for a key combination; the row shows the text.
    void AssignKeyCombination(int button, const QString& text);

private:
    using Send = std::function<bool(int index)>;
    // The flow's steps after the checked test; the row text is read at the
    // moment of the click. The page's idle view follows unless another view
    // is given.
    void Run(bool uncheckFirst, const Send& send, const QString& rowText, int type, int code, int extra,
             const std::function<void()>& afterView = {});
    // Gives a known mouse button a function; the row shows it once sent.
    void AssignToButton(int button, const Send& send, const QString& rowText, int type, int code, int extra);
    QString TextOf(const QString& objectName) const;

    QWidget* m_page;
    PageHooks m_hooks;
};
