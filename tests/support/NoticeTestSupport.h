#pragma once

// Helpers for tests that run the program's modal dialogs.

#include "app/LanguageTables.h"

#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QToolButton>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>

namespace NoticeTest {

// Runs dialog->exec() as a caller does; once the dialog is the active modal
// widget, answer() plays the user. Returns false when the dialog was still
// open 10 s later (it is then closed so the test goes on).
inline bool ExecAndAnswer(QDialog* dialog, const std::function<void()>& answer)
{
    bool answered = false;
    bool timedOut = false;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&]() {
        if (!answered && QApplication::activeModalWidget() == dialog) {
            answered = true;
            answer();
        } else if (clock.elapsed() > 10000 && dialog->isVisible()) {
            timedOut = true;
            dialog->close();
        }
    });
    poll.start(10);
    dialog->exec();
    return answered && !timedOut;
}

// The files named by url(...) in the style sheets of a widget and all widgets below it.
inline QStringList StyleSheetPictures(QWidget* root)
{
    QStringList files;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    static const QRegularExpression url(QStringLiteral("url\\(\\s*\"?([^\")]+)\"?\\s*\\)"));
    // The application's sheet styles them too (the combo boxes' shared rules).
    QStringList sheets{qApp->styleSheet()};
    for (QWidget* widget : widgets)
        sheets << widget->styleSheet();
    for (const QString& sheet : sheets) {
        auto it = url.globalMatch(sheet);
        while (it.hasNext())
            files << it.next().captured(1).trimmed();
    }
    files.removeDuplicates();
    return files;
}

inline bool SameColour(const QColor& a, const QColor& b, int tolerance = 2)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance && qAbs(a.alpha() - b.alpha()) <= tolerance;
}

// A text of language 0.
inline QString Text(const char* section, const char* key)
{
    return LanguageTables::Text(0, QString::fromLatin1(section), QString::fromLatin1(key));
}

inline QLabel* LabelOf(QWidget* dialog)
{
    return dialog->findChild<QLabel*>(QStringLiteral("label"));
}

inline QToolButton* ButtonOf(QWidget* dialog, const QString& name)
{
    return dialog->findChild<QToolButton*>(name);
}

// How the user ends the dialog: "Return" or "Escape" pressed in it, or a
// click on the button of that name.
inline void Answer(QDialog* dialog, const QString& how)
{
    if (how == QLatin1String("Return") || how == QLatin1String("Escape")) {
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QTest::keyClick(dialog, how == QLatin1String("Return") ? Qt::Key_Return : Qt::Key_Escape);
        return;
    }
    QToolButton* button = ButtonOf(dialog, how);
    QVERIFY2(button, qPrintable(how));
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace NoticeTest
