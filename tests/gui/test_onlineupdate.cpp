// The online TLE update against a local server of canned replies: the download, then the command.

#include <QEventLoop>
#include <QProgressDialog>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>

#include "core/elementreply.h"
#include "gui_helpers.h"
#include "onlineupdate.h"

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

// HTTP response; length overrides the announced Content-Length.
QByteArray response(const QByteArray& status, const QByteArray& headers, const QByteArray& body,
                    qint64 length = -1)
{
    return "HTTP/1.1 " + status + "\r\nConnection: close\r\nContent-Length: " +
           QByteArray::number(length < 0 ? body.size() : length) + "\r\n" + headers + "\r\n" +
           body;
}

// The canned reply to a path whose first directory is dir: /good/ the new file, /moved/ a
// redirect to it, /loop/ a redirect to itself, /cut/ a body that ends early, /html/ a web page,
// /empty/ no body, /big/ 40 copies of the new file; anything else 404.
QByteArray reply(const QByteArray& dir)
{
    static const QHash<QByteArray, QByteArray> replies = {
        {"good", response("200 OK", "", kNew)},
        {"moved", response("301 Moved", "Location: /good/x\r\n", "")},
        {"loop", response("302 Found", "Location: /loop/x\r\n", "")},
        {"cut", response("200 OK", "", kNew, 10 * kNew.size())},
        {"html", response("200 OK", "Content-Type: text/html\r\n", kHtml)},
        {"empty", response("200 OK", "", "")},
        {"big", response("200 OK", "", kNew.repeated(40))},
    };
    return replies.value(dir, response("404 Not Found", "", "<html>Not Found</html>"));
}

// Serves the canned replies; /trickle/ sends one byte of an endless body every 20 ms and /hold/
// nothing until release().
class CannedServer {
public:
    CannedServer()
    {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = server.nextPendingConnection())
                QObject::connect(s, &QTcpSocket::readyRead, [this, s] { read(s); });
        });
    }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(server.serverPort()); }
    // Closes the held connections and later ones at once (the client retries a closed one).
    void release()
    {
        holding = false;
        for (QTcpSocket* s : held) s->disconnectFromHost();
    }
    int requests = 0;

private:
    void read(QTcpSocket* s)
    {
        QByteArray& request = pending[s];
        request += s->readAll();
        if (!request.contains("\r\n\r\n")) return;
        ++requests;
        const QByteArray dir = request.split(' ').value(1).split('/').value(1);
        if (dir == "hold" && holding) return held.push_back(s);
        if (dir == "trickle") {
            s->write(response("200 OK", "", "", kMaxReplyBytes));
            auto* drip = new QTimer(s);
            QObject::connect(drip, &QTimer::timeout, s, [s] { s->write("x"); });
            return drip->start(20);
        }
        if (dir != "hold") s->write(reply(dir));
        s->disconnectFromHost();
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
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

// Waits in the event loop until the download ends; its error flag, or -1 when it never ended.
int waitDone(OnlineUpdate& update)
{
    int error = -1;
    QEventLoop loop;
    QObject::connect(&update, &OnlineUpdate::done, &loop, [&](bool e) { error = e; loop.quit(); });
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

// Answers the next address dialog with address.
void answerAddress(const QString& address)
{
    whenModal<QInputDialog>([address](QInputDialog* d) { d->setTextValue(address); d->accept(); });
}

// Runs act and returns the text of the first message box that follows, which is closed.
QString messageAfter(const std::function<void()>& act)
{
    QString text;
    QEventLoop loop;
    whenMessage([&](QMessageBox* box) { text = box->text(); loop.quit(); });
    act();
    if (text.isEmpty()) {
        QTimer::singleShot(kHangGuardMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return text;
}

}  // namespace

TEST_F(OnlineUpdateTest, FailuresKeepTheOldFileByteForByte)
{
    // Each failure with the start of its message; only the endless trickle meets the short stall limit.
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
        update.setStallLimit(path.startsWith("/trickle/") ? kTestStallMs : kHangGuardMs);
        EXPECT_EQ(1, download(host, path));
        EXPECT_FALSE(update.errorString().isEmpty());
        EXPECT_TRUE(update.errorString().startsWith(message)) << update.errorString().toStdString();
        EXPECT_EQ(kOld, readFile(target));
        EXPECT_EQ(QStringList{"visual.txt"}, files());
        EXPECT_FALSE(update.busy());
    }
    ASSERT_EQ(OnlineUpdate::Started, update.get(server.host(), "/hold/visual.txt", target));
    QTimer::singleShot(0, &update, &OnlineUpdate::cancel);
    EXPECT_EQ(1, waitDone(update));
    EXPECT_EQ("Download cancelled; visual.txt was kept", update.errorString()) << "Cancel while the server waits";
    EXPECT_EQ(kOld, readFile(target));
}

TEST_F(OnlineUpdateTest, RedirectCreatesTheMissingTargetAndAnEarlierDownloadDoesNotUndoIt)
{
    QFile::remove(target);
    OnlineUpdate other;
    ASSERT_EQ(OnlineUpdate::Started, other.get(server.host(), "/hold/visual.txt", target));
    EXPECT_EQ(0, download(server.host(), "/moved/visual.txt"));
    EXPECT_FALSE(update.busy());
    server.release();
    EXPECT_EQ(1, waitDone(other));
    EXPECT_EQ(kNew, readFile(target));
    EXPECT_EQ(QStringList{"visual.txt"}, files());
}

TEST_F(WindowTest, OnlineUpdateCommandMessagesAndFiles)
{
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    CannedServer server;
    const QString tle = dir.file("visual.txt");
    writeFile(tle, kOld);
    setField(indata->tlefile, tle);
    setField(indata->updurl, server.host() + "/good/old.txt");
    EXPECT_EQ(server.host() + "/good/visual.txt", textShown<QInputDialog>(QString(), [&] { w.slotFileUpdate(); }))
        << "the proposal: the last server directory with the TLE file's name";
    WinpData defaults{};
    SetDefaults(&defaults);
    EXPECT_EQ(defaults.updurl, updateProposal(defaults.updurl, "/u/tle/visual.txt")) << "the default query is kept";
    // A second update while one runs is refused; the old file stays while it runs and on Cancel.
    answerAddress(server.host() + "/hold/visual.txt");
    w.slotFileUpdate();
    EXPECT_EQ("Another online update still in progress.", messageAfter([&] { w.slotFileUpdate(); }));
    EXPECT_EQ(kOld, readFile(tle));
    QPushButton* cancel = nullptr;
    for (auto* d : w.findChildren<QProgressDialog*>())
        if (d->isVisible()) cancel = d->findChild<QPushButton*>();
    ASSERT_NE(nullptr, cancel);
    EXPECT_EQ("Error fetching file with HTTP: Download cancelled; visual.txt was kept.",
              messageAfter([&] { cancel->click(); }));
    EXPECT_EQ(kOld, readFile(tle));
    EXPECT_EQ(server.host() + "/hold/visual.txt", QString(indata->updurl));
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
    setField(indata->tlefile, tle + "/visual.txt");
    const int fetched = server.requests;
    answerAddress(server.host() + "/good/x/visual.txt");
    EXPECT_TRUE(messageAfter([&] { w.slotFileUpdate(); }).startsWith("Cannot write file " + tle + "/visual.txt\n"));
    EXPECT_EQ(kNew, readFile(tle)) << "a target below a regular file (unwritable also for root) keeps the old file";
    EXPECT_EQ(fetched, server.requests);
}
