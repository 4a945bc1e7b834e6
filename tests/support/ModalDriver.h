#pragma once
// Drives windows shown with exec(): the action runs once the next modal window is up.
//
//     whenModal([](QWidget* w) { findChild<QLineEdit*>(w, "password")->setText("x"); click(w, "okButton"); });
//     dialog.exec();

#include <QString>
#include <QWidget>

#include <functional>

namespace tavrin::test {

// Runs `action` on the next modal window that appears (waiting up to 5 s).
void whenModal(std::function<void(QWidget*)> action);

// Clicks the button with that object name inside `w`; fails the test when there is none.
void click(QWidget* w, const char* objectName);
// Types into the line edit with that object name.
void type(QWidget* w, const char* objectName, const QString& text);

} // namespace tavrin::test
