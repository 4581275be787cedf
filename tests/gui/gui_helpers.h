// Helpers of the GUI tests: a temporary program directory, whole files, the start and site of
// the tests, selection by name, modal dialogs answered by the test and key presses, with the
// headers of the widgets the tests drive.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

#include "app/glue/selectionglue.h"
#include "core/records.h"
#include "core/timeset.h"
#include "core/tlefile.h"
#include "../test_site.h"

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

// The bytes of the file name, or "<missing>" when it cannot be read.
inline QByteArray readFile(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Writes bytes to the file name, replacing it.
inline void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Sets the start and site of the headless tests (site A, 22 February 2026 0h UT) and its MJD.
inline void setStartAndSite()
{
    SetSiteA(indata);
    setNewMjd(indata);
}

// Selects the first entry found for key in the current TLE file through the selection glue.
inline void selectByGlue(const char* key)
{
    ElementReader reader(indata->tlefile);
    ASSERT_TRUE(reader.isOpen());
    satfle = &reader;
    QString k = key;
    int n = 0;
    vsFindSat(k, n, 0, 0, 0);
    satfle = nullptr;
    ASSERT_NE(0, n) << key;
    vsSatSel();
}

// How long a test waits for the modal widget it expects before failing.
constexpr qint64 kModalWaitMs = 60000;

// Calls act with the next visible modal widget of type W as soon as it is up; any other modal
// widget (a dialog still closing, say) is left alone. When none comes within kModalWaitMs the
// test fails naming W and what was up, and closes that, so the test ends. The returned watcher
// deletes itself after that; delete it to stop waiting.
template <typename W>
QTimer* whenModal(std::function<void(W*)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(poll, &QTimer::timeout, [poll, act, clock] {
        QWidget* up = QApplication::activeModalWidget();
        W* wanted = up && up->isVisible() ? qobject_cast<W*>(up) : nullptr;
        if (!wanted && clock.elapsed() < kModalWaitMs) return;
        poll->stop();
        poll->deleteLater();
        if (wanted) {
            act(wanted);
            return;
        }
        ADD_FAILURE() << "expected a modal " << W::staticMetaObject.className() << ", found "
                      << (up ? up->metaObject()->className() : "none");
        if (up) up->close();
    });
    poll->start();
    return poll;
}

// Calls act with the next modal message box, then closes it.
inline QTimer* whenMessage(std::function<void(QMessageBox*)> act)
{
    return whenModal<QMessageBox>([act](QMessageBox* box) {
        act(box);
        box->close();
    });
}

// Title and text of a message box.
struct Message {
    QString title, text;
};

// Keeps the title and text of the next message box in m, then closes it.
inline QTimer* captureMessage(Message& m)
{
    return whenMessage([&m](QMessageBox* box) {
        m.title = box->windowTitle();
        m.text = box->text();
    });
}

// Answers the next file dialog with the file name and keeps the text of the message box that
// follows in message.
inline QTimer* chooseFile(const QString& name, QString& message)
{
    return whenModal<QFileDialog>([&message, name](QFileDialog* files) {
        whenMessage([&message](QMessageBox* box) { message = box->text(); });
        files->selectFile(name);
        static_cast<QDialog*>(files)->accept();  // an upcast: QFileDialog hides accept()
    });
}

// Sends a key press of key without modifiers to w.
inline void pressKey(QWidget* w, int key)
{
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
