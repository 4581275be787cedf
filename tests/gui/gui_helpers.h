// Helpers, fixtures and shared headers of the GUI tests.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "app/glue/selectionglue.h"
#include "core/defaults.h"
#include "core/records.h"
#include "core/timeset.h"
#include "core/tlefile.h"
#include "foundation/units.h"
#include "obastdialog.h"
#include "obdatedialog.h"
#include "obdeltadialog.h"
#include "obeditorbdialog.h"
#include "obiersdialog.h"
#include "obiridiumdialog.h"
#include "oblaunchdialog.h"
#include "oblocaldialog.h"
#include "obmapdialog.h"
#include "obobsdialog.h"
#include "oborbdetdialog.h"
#include "obpassdialog.h"
#include "obquickdialog.h"
#include "obremsatdialog.h"
#include "obselsatdialog.h"
#include "obstatedialog.h"
#include "obstepdialog.h"
#include "obswitchdialog.h"
#include "obsysconfdialog.h"
#include "obvisdialog.h"
#include "orbikaapp.h"
#include "orbikaview.h"
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

// Copies text into a fixed-size text field of the settings, cut to fit.
template <size_t N>
void setField(char (&field)[N], const QString& text) { std::snprintf(field, N, "%s", qPrintable(text)); }

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

// Calls act with the next visible modal widget of type W, leaving any other alone; after
// kModalWaitMs without one the test fails and closes what is up. Delete the watcher to stop waiting.
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
    return whenModal<QMessageBox>([act](QMessageBox* box) { act(box); box->close(); });
}

// Title and text of a message box, compared and printed by the tests.
struct Message {
    QString title, text;
    bool operator==(const Message& o) const { return title == o.title && text == o.text; }
};
inline void PrintTo(const Message& m, std::ostream* out) { *out << qPrintable(m.title + ": " + m.text); }

// Runs command and returns the message box it shows, closed; empty when it shows none.
inline Message messageOf(const std::function<void()>& command)
{
    Message m;
    QPointer<QTimer> watch = whenMessage([&m](QMessageBox* box) { m = {box->windowTitle(), box->text()}; });
    command();
    delete watch;
    return m;
}

// Runs command and returns the text of the named line edit, else text edit (null: the first found)
// of the dialog D that it opens, which is then closed.
template <typename D>
QString textShown(const QString& name, const std::function<void()>& command)
{
    QString text;
    QPointer<QTimer> watch = whenModal<D>([&text, name](D* d) {
        auto* line = d->template findChild<QLineEdit*>(name);
        text = line ? line->text() : d->template findChild<QTextEdit*>(name)->toPlainText();
        d->close();
    });
    command();
    delete watch;
    return text;
}

// Answers the next file dialog with name and keeps the text of the message that follows.
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

// The child widget of type W named name; a missing widget fails the test through an exception.
template <typename W>
W* child(const QWidget& parent, const QString& name)
{
    W* w = parent.findChild<W*>(name);
    if (!w) throw std::runtime_error("no widget " + name.toStdString());
    return w;
}

// Types the texts into the named fields of the next modal dialog of type D and presses OK.
template <typename D>
QTimer* acceptWith(const std::vector<std::pair<const char*, QString>>& fields)
{
    return whenModal<D>([fields](D* d) {
        for (const auto& [name, text] : fields) child<QLineEdit>(*d, name)->setText(text);
        d->accept();
    });
}

// Runs command while the next dialog of type D gets every field typed over, every option
// flipped, and Cancel; returns what command returns.
template <typename D, typename F>
auto cancelling(F command)
{
    whenModal<D>([](D* d) {
        for (QLineEdit* e : d->template findChildren<QLineEdit*>()) e->setText("45");
        for (QCheckBox* b : d->template findChildren<QCheckBox*>()) b->toggle();
        d->reject();
    });
    return command();
}

// The main window in a fresh program directory.
class WindowTest : public ::testing::Test {
protected:
    const ProgramDir dir;
    OrbikaApp w;
};

// A bare view in a fresh program directory.
class ViewTest : public ::testing::Test {
protected:
    const ProgramDir dir;
    OrbikaView view{nullptr};
};

// A view in a program directory: default settings, the bundled TLE file, the outline map on white.
class MapTest : public ViewTest {
protected:
    void SetUp() override
    {
        SetDefaults(indata);
        setField(indata->tlefile, ORBIKA_DATA_DIR "/tle/visual.txt");
        std::tie(indata->mapwidth, indata->mapheight, indata->mapimgok) = std::make_tuple(860, 501, true);
        indata->maptype = indata->mapbg = indata->grid = indata->daynight = indata->skymap = 0;
        indata->cenlon = 0;
        SetSiteA(indata);  // 22 February 2026 0h UT
        setNewMjd(indata);
    }

    QImage canvas() const { return view.canvasImage().toImage(); }
    QImage display() const { return view.displayImage().toImage(); }
};
