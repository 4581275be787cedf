// Helpers of the main window and view tests: a temporary program directory, modal dialogs
// answered by the test, and key presses.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// A fresh program directory holding a copy of the bundled visual.txt; current while it lives.
class ProgramDir {
public:
    ProgramDir() : previous(QDir::currentPath())
    {
        QFile::copy(QStringLiteral(ORBIKA_DATA_DIR "/tle/visual.txt"), file("visual.txt"));
        QDir::setCurrent(dir.path());
    }
    ~ProgramDir() { QDir::setCurrent(previous); }
    ProgramDir(const ProgramDir&) = delete;
    ProgramDir& operator=(const ProgramDir&) = delete;

    QString path() const { return dir.path(); }
    QString file(const QString& name) const { return dir.filePath(name); }

private:
    QTemporaryDir dir;
    QString previous;
};

// Calls act with the next modal dialog or message box as soon as it is shown. The returned
// watcher deletes itself after that; delete it to stop waiting.
inline QTimer* whenModal(std::function<void(QWidget*)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            act(w);
        }
    });
    poll->start();
    return poll;
}

// Calls act with the next modal widget of type T as soon as it is shown, passing over modal
// widgets of other types; fails the test when none is shown within timeoutMs.
template <class T>
QTimer* whenModalOf(std::function<void(T*)> act, int timeoutMs = 60000)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(poll, &QTimer::timeout, [poll, act, waited, timeoutMs] {
        T* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!w && waited->elapsed() < timeoutMs)
            return;
        poll->stop();
        poll->deleteLater();
        if (w)
            act(w);
        else
            ADD_FAILURE() << "no " << T::staticMetaObject.className() << " shown";
    });
    poll->start();
    return poll;
}

// Sends a key press of key without modifiers to w.
inline void pressKey(QWidget* w, int key)
{
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
