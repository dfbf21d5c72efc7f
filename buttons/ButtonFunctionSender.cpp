#include "buttons/ButtonFunctionSender.h"

#include "buttons/ButtonFunctionType.h"
#include "buttons/ConsumerKeyTable.h"
#include "buttons/DeviceButtonIndex.h"
#include "buttons/DpiLockCoding.h"
#include "buttons/KeyBlockCodec.h"
#include "buttons/SingleCodeSenderTable.h"
#include "device/DeviceSettingSetters.h"

#include <QAbstractButton>
#include <QPointer>
#include <QWidget>

namespace {

const ButtonFunctionHeader kKeySequenceHeader{FunctionKeySequence, 0, 0};

} // namespace

ButtonFunctionSender::ButtonFunctionSender(QWidget* page, PageHooks hooks)
    : m_page(page)
    , m_hooks(std::move(hooks))
{
}

QString ButtonFunctionSender::TextOf(const QString& objectName) const
{
    auto* button = m_page ? m_page->findChild<QAbstractButton*>(objectName) : nullptr;
    return button ? button->text() : QString();
}

void ButtonFunctionSender::Run(bool uncheckFirst, const Send& send, const QString& rowText, int type, int code,
                               int extra, const std::function<void()>& afterView)
{
    if (uncheckFirst && m_hooks.uncheckFunctionButtons)
        m_hooks.uncheckFunctionButtons();
    int index = -1;
    // The writer may run the modal offline notice; the row is only touched
    // if it is still there afterwards.
    QPointer<QAbstractButton> row = DeviceButtonIndex::CheckedRow(m_page, &index);
    if (row && send(index) && row) {
        row->setText(rowText);
        if (m_hooks.storeRowAssignment)
            m_hooks.storeRowAssignment(index, type, code, extra);
    }
    if (afterView)
        afterView();
    else if (m_hooks.returnToIdleView)
        m_hooks.returnToIdleView();
}

void ButtonFunctionSender::SendSingleCode(bool checked, const QString& button)
{
    const SingleCodeSenderTable::Row* entry = SingleCodeSenderTable::RowOfButton(button);
    if (!checked || !entry)
        return;
    const int type = entry->type;
    const int code = entry->code;
    const int extra = entry->extra;
    Run(entry->onChooser,
        [=](int index) { return DeviceSettingSetters::SetButtonFunction(index, type, code, extra); },
        TextOf(button), type, code, extra);
}

void ButtonFunctionSender::SendMediaKey(bool checked, const QString& mediaButton)
{
    const ConsumerKeyTable::Row* entry = ConsumerKeyTable::RowOfButton(mediaButton);
    if (!checked || !entry)
        return;
    const KeyBlock block = ConsumerKeyTable::MediaKeyBlock(entry->usage);
    Run(false,
        [&](int index) { return DeviceSettingSetters::SetButtonKeyBlock(index, kKeySequenceHeader, block); },
        TextOf(mediaButton), FunctionKeySequence, 0, 0);
}

void ButtonFunctionSender::SendDpiLock(bool checked, const QString& dpiButton, int code)
{
    if (!checked || !DpiLockCoding::RowOfButton(dpiButton))
        return;
    const QString rowText = TextOf(QStringLiteral("DPI_4")) + QLatin1Char('-') + TextOf(dpiButton);
    Run(false, [=](int index) { return DeviceSettingSetters::SetButtonFunction(index, FunctionDpiLock, code, 0); },
        rowText, FunctionDpiLock, code, 0);
}

void ButtonFunctionSender::SendKeyCombination(const QString& text, const std::function<void()>& afterView)
{
    const KeyBlock block = KeyBlockCodec::BuildKeyBlock(text);
    Run(true, [&](int index) { return DeviceSettingSetters::SetButtonKeyBlock(index, kKeySequenceHeader, block); },
        text, FunctionKeySequence, 0, 0, afterView);
}

void ButtonFunctionSender::SendFireKey(int interval, int count)
{
    Run(true,
        [=](int index) { return DeviceSettingSetters::SetButtonFunction(index, FunctionFireKey, interval, count); },
        TextOf(QStringLiteral("DPI_6")), FunctionFireKey, interval, count);
}

void ButtonFunctionSender::AssignToButton(int button, const Send& send, const QString& rowText, int type, int code,
                                          int extra)
{
    if (button < 0 || button >= DeviceButtonIndex::RowCount || !send(button))
        return;
    if (m_hooks.storeRowAssignment)
        m_hooks.storeRowAssignment(button, type, code, extra);
    auto* row = m_page ? m_page->findChild<QAbstractButton*>(DeviceButtonIndex::RowOfIndex(button)) : nullptr;
    if (row)
        row->setText(rowText);
}

void ButtonFunctionSender::AssignMediaKey(int button, int code)
{
    const ConsumerKeyTable::Row* entry = ConsumerKeyTable::RowOfCode(code);
    if (!entry)
        return;
    const KeyBlock block = ConsumerKeyTable::MediaKeyBlock(entry->usage);
    AssignToButton(
        button, [&](int index) { return DeviceSettingSetters::SetButtonKeyBlock(index, kKeySequenceHeader, block); },
        TextOf(entry->mediaButton), FunctionKeySequence, 0, 0);
}

void ButtonFunctionSender::AssignKeyCombination(int button, const QString& text)
{
    const KeyBlock block = KeyBlockCodec::BuildKeyBlock(text);
    AssignToButton(
        button, [&](int index) { return DeviceSettingSetters::SetButtonKeyBlock(index, kKeySequenceHeader, block); },
        text, FunctionKeySequence, 0, 0);
}
