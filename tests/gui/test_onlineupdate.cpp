// The online TLE update against an HTTP server on 127.0.0.1 started by the test, which answers
// each path with a canned response: the download itself, then the whole command in the window.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QProgressDialog>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>

#include <tuple>
#include <vector>

#include "core/defaults.h"
#include "core/elementreply.h"
#include "gui_helpers.h"
#include "onlineupdate.h"
#include "orbikaapp.h"

namespace {

const QByteArray kOld = "OLD ENTRY\r\n1 25544U\r\nno final newline";
const QByteArray kNew =
    "ATLAS CENTAUR 2\n"
    "1 00694U 63047A   26053.06266171  .00001095  00000+0  11991-3 0  9992\n"
    "2 00694  30.3565 282.9753 0548113 302.5696  52.3109 14.12018178129412\n";
const QByteArray kHtml = "<!DOCTYPE html><html><body>Down for maintenance</body></html>";
// Limits of the tests: a stall window of a fraction of a second and a body cap below /big/.
constexpr int kTestStallMs = 300;
constexpr qint64 kTestMaxBytes = 4096;
// Only guards against a hung test; no speed is asserted.
constexpr int kHangGuardMs = 120000;

// HTTP response with status line status, the extra header lines headers and body; length
// overrides the announced Content-Length.
QByteArray response(const QByteArray& status, const QByteArray& headers, const QByteArray& body,
                    qint64 length = -1)
{
    return "HTTP/1.1 " + status + "\r\nConnection: close\r\nContent-Length: " +
           QByteArray::number(length < 0 ? body.size() : length) + "\r\n" + headers + "\r\n" +
           body;
}

// Serves canned responses by path: /good/ the new file, /moved/ a redirect to it, /loop/ a
// redirect to itself, /cut/ a body that ends early, /html/ a web page, /empty/ no body, /big/
// 40 copies of the new file, /trickle/ one byte of an endless body every 20 ms, /hold/ nothing
// until release(), else 404.
class CannedServer {
public:
    CannedServer()
    {
        server.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = server.nextPendingConnection())
                QObject::connect(s, &QTcpSocket::readyRead, [this, s] { read(s); });
        });
    }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(server.serverPort()); }
    // Closes the connections held without an answer, and later ones at once (the client tries
    // again when a connection closes before the answer).
    void release()
    {
        holding = false;
        for (QTcpSocket* s : held) s->disconnectFromHost();
        held.clear();
    }
    int requests = 0;

private:
    void read(QTcpSocket* s)
    {
        QByteArray& request = pending[s];
        request += s->readAll();
        if (!request.contains("\r\n\r\n")) return;
        ++requests;
        const QByteArray path = request.split(' ').value(1);
        if (path.startsWith("/hold/") && holding) {
            held.push_back(s);
            return;
        }
        if (path.startsWith("/trickle/")) return trickle(s);
        if (!path.startsWith("/hold/")) s->write(answer(path));
        s->disconnectFromHost();
    }
    static void trickle(QTcpSocket* s)
    {
        s->write(response("200 OK", "", "", kMaxReplyBytes));
        auto* drip = new QTimer(s);
        QObject::connect(drip, &QTimer::timeout, s, [s] { s->write("x"); });
        drip->start(20);
    }
    static QByteArray answer(const QByteArray& path)
    {
        if (path.startsWith("/good/")) return response("200 OK", "", kNew);
        if (path.startsWith("/moved/")) return response("301 Moved", "Location: /good/x\r\n", "");
        if (path.startsWith("/loop/"))
            return response("302 Found", "Location: " + path + "\r\n", "");
        if (path.startsWith("/cut/")) return response("200 OK", "", kNew, 10 * kNew.size());
        if (path.startsWith("/html/")) return response("200 OK", "Content-Type: text/html\r\n", kHtml);
        if (path.startsWith("/empty/")) return response("200 OK", "", "");
        if (path.startsWith("/big/")) return response("200 OK", "", kNew.repeated(40));
        return response("404 Not Found", "", "<html>Not Found</html>");
    }

    QTcpServer server;
    QHash<QTcpSocket*, QByteArray> pending;
    std::vector<QTcpSocket*> held;
    bool holding = true;
};

// A port on 127.0.0.1 where nothing listens.
QString refusingHost()
{
    QTcpServer probe;
    probe.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

// Waits in the event loop until the download ends; its error flag, or -1 when it never ended.
int waitDone(OnlineUpdate& update)
{
    int error = -1;
    QEventLoop loop;
    QObject::connect(&update, &OnlineUpdate::done, &loop, [&](bool e) {
        error = e;
        loop.quit();
    });
    QTimer::singleShot(kHangGuardMs, &loop, &QEventLoop::quit);
    loop.exec();
    return error;
}

class OnlineUpdateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        writeFile(target, kOld);
        update.setSizeLimit(kTestMaxBytes);
    }
    // Names in the directory: the target alone once a download has ended.
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
    // Downloads path from host into the target; the error flag.
    int download(const QString& host, const QString& path)
    {
        if (update.get(host, path, target) != OnlineUpdate::Started) return -2;
        EXPECT_TRUE(update.busy());
        return waitDone(update);
    }

    QTemporaryDir dir;
    QString target = dir.filePath(QStringLiteral("visual.txt"));
    OnlineUpdate update;
    CannedServer server;
};

}  // namespace

TEST(OnlineUpdateAddress, DefaultIsAQueryKeptAsProposed)
{
    // The address a new installation proposes is a GP-data query of CSV form, kept as proposed.
    WinpData defaults{};
    SetDefaults(&defaults);
    EXPECT_EQ(defaults.updurl, updateProposal(defaults.updurl, "/u/tle/visual.txt"));
    UpdateAddress a;
    ASSERT_TRUE(splitUpdateAddress(defaults.updurl, a));
    EXPECT_TRUE(a.urlPath.contains("FORMAT=csv"));
}

TEST_F(OnlineUpdateTest, RedirectIsFollowedAndAMissingTargetCreated)
{
    QFile::remove(target);
    EXPECT_EQ(0, download(server.host(), "/moved/visual.txt"));
    EXPECT_EQ(kNew, readFile(target));
    EXPECT_EQ(QStringList{"visual.txt"}, files());
    EXPECT_FALSE(update.busy());
}

TEST_F(OnlineUpdateTest, FailuresKeepTheOldFileByteForByte)
{
    // Each failure with the start of the message it gives.
    const std::vector<std::tuple<QString, QString, QString>> failures = {
        {server.host(), "/missing/visual.txt", "The server answered 404 Not Found; visual.txt was kept"},
        {server.host(), "/html/visual.txt",
         "The server sent no element data (an HTML page, 61 bytes); visual.txt was kept"},
        {server.host(), "/empty/visual.txt", "The server sent no element data (an empty body); visual.txt was kept"},
        {server.host(), "/big/visual.txt", "The reply is larger than 4 096 bytes; visual.txt was kept"},
        {server.host(), "/trickle/visual.txt", "Less than 1 KiB received in 0.3 s; visual.txt was kept"},
        {refusingHost(), "/good/visual.txt", "Connection refused"},
        {server.host(), "/cut/visual.txt", ""},   // server closes mid-body
        {server.host(), "/loop/visual.txt", ""},  // redirect loop
        {"http:", "//" + server.host() + "/good/visual.txt", "Invalid host name http:"},  // typed with a scheme
    };
    for (const auto& [host, path, message] : failures) {
        SCOPED_TRACE((host + path).toStdString());
        // Only the endless trickle meets the short stall limit; the others end before any limit.
        update.setStallLimit(path.startsWith("/trickle/") ? kTestStallMs : kHangGuardMs);
        EXPECT_EQ(1, download(host, path));
        EXPECT_FALSE(update.errorString().isEmpty());
        EXPECT_TRUE(update.errorString().startsWith(message)) << update.errorString().toStdString();
        EXPECT_EQ(kOld, readFile(target));
        EXPECT_EQ(QStringList{"visual.txt"}, files());
        EXPECT_FALSE(update.busy());
    }

    // Cancel stops a download that waits for the server.
    ASSERT_EQ(OnlineUpdate::Started, update.get(server.host(), "/hold/visual.txt", target));
    QTimer::singleShot(0, &update, &OnlineUpdate::cancel);
    EXPECT_EQ(1, waitDone(update));
    EXPECT_EQ("Download cancelled; visual.txt was kept", update.errorString());
    EXPECT_EQ(kOld, readFile(target));
}

TEST_F(OnlineUpdateTest, TwoDownloadsOfOneFileDoNotUndoEachOther)
{
    OnlineUpdate other;
    ASSERT_EQ(OnlineUpdate::Started, other.get(server.host(), "/hold/visual.txt", target));
    EXPECT_EQ(0, download(server.host(), "/good/visual.txt"));
    server.release();
    EXPECT_EQ(1, waitDone(other));
    EXPECT_EQ(kNew, readFile(target));
    EXPECT_EQ(QStringList{"visual.txt"}, files());
}

namespace {

// Answers the next address dialog with address.
void answerAddress(const QString& address)
{
    whenModal<QInputDialog>([address](QInputDialog* d) {
        d->setTextValue(address);
        d->accept();
    });
}

// Runs act and returns the text of the first message box that follows, which is closed.
QString messageAfter(const std::function<void()>& act)
{
    QString text;
    QEventLoop loop;
    whenMessage([&](QMessageBox* box) {
        text = box->text();
        loop.quit();
    });
    act();
    if (text.isEmpty()) {
        QTimer::singleShot(kHangGuardMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return text;
}

}  // namespace

TEST(OnlineUpdateWindow, CommandMessagesAndFiles)
{
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    const ProgramDir dir;
    OrbikaApp w;
    CannedServer server;
    const QString tle = dir.file("visual.txt");
    writeFile(tle, kOld);
    std::snprintf(indata->tlefile, sizeof indata->tlefile, "%s", qPrintable(tle));
    std::snprintf(indata->updurl, sizeof indata->updurl, "%s/good/old.txt",
                  qPrintable(server.host()));

    // The proposal is the last server directory with the TLE file's name.
    QString proposal;
    whenModal<QInputDialog>([&](QInputDialog* d) {
        proposal = d->textValue();
        d->reject();
    });
    w.slotFileUpdate();
    EXPECT_EQ(server.host() + "/good/visual.txt", proposal);

    // A second update while one runs is refused; the old file stays while it runs and when the
    // progress dialog's Cancel stops it.
    answerAddress(server.host() + "/hold/visual.txt");
    w.slotFileUpdate();
    EXPECT_EQ("Another online update still in progress.",
              messageAfter([&] { w.slotFileUpdate(); }));
    EXPECT_EQ(kOld, readFile(tle));
    QProgressDialog* progress = nullptr;
    for (auto* d : w.findChildren<QProgressDialog*>())
        if (d->isVisible()) progress = d;
    ASSERT_NE(nullptr, progress);
    auto* cancel = progress->findChild<QPushButton*>();
    ASSERT_NE(nullptr, cancel);
    EXPECT_EQ("Error fetching file with HTTP: Download cancelled; visual.txt was kept.",
              messageAfter([&] { cancel->click(); }));
    EXPECT_EQ(kOld, readFile(tle));
    EXPECT_EQ(server.host() + "/hold/visual.txt", QString(indata->updurl));

    // A one-character address and one with a scheme send no request; a query's reply replaces
    // the current TLE file; the same address again within the hour asks first, and No sends
    // nothing. Each case: address, message, the TLE file after it, whether a request was sent.
    const QString query = server.host() + "/good/gp.php?GROUP=visual&FORMAT=csv";
    const std::tuple<QString, QString, QByteArray, int> answers[] = {
        {"x", "The address \"x\" is too short.", kOld, 0},
        {"http://" + server.host() + "/good/visual.txt", "Error fetching file with HTTP: Invalid host name http:.", kOld, 0},
        {query, "Download complete. File " + tle + ".", kNew, 1},
        {query, query + " was downloaded 0 minutes ago. Download it again?", kNew, 0},
    };
    for (const auto& [address, message, file, sent] : answers) {
        const int asked = server.requests;
        answerAddress(address);
        EXPECT_EQ(message, messageAfter([&] { w.slotFileUpdate(); }));
        EXPECT_EQ(file, readFile(tle));
        EXPECT_EQ(sent, server.requests - asked) << address.toStdString();
    }

    // The file goes into the TLE file's directory. Root writes into read-only directories, so
    // the unwritable target lies below a regular file, where opening fails for every user.
    std::snprintf(indata->tlefile, sizeof indata->tlefile, "%s/visual.txt", qPrintable(tle));
    const int fetched = server.requests;
    answerAddress(server.host() + "/good/x/visual.txt");
    EXPECT_TRUE(messageAfter([&] { w.slotFileUpdate(); })
                    .startsWith("Cannot write file " + tle + "/visual.txt\n"));
    EXPECT_EQ(kNew, readFile(tle));
    EXPECT_EQ(fetched, server.requests);
}
