#include "onlineupdate.h"

#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "core/downloadlog.h"
#include "core/elementreply.h"
#include "core/safewrite.h"

namespace {

// Addresses of this length or shorter are not taken as the base of a proposal.
constexpr int kShortestBase = 5;
// The shortest address accepted.
constexpr int kShortestAddress = 2;
// Redirects followed before the download counts as failed (servers move plain HTTP to HTTPS).
constexpr int kMaxRedirects = 10;
// A transfer that receives less than kStallBytes within kStallMs is abandoned.
constexpr int kStallMs = 60000;
constexpr qint64 kStallBytes = 1024;
// The HTTP status of a reply that holds the requested file.
constexpr int kHttpOk = 200;

// The download address of host (with an optional ":port") and path; invalid when the host is not
// a plain host name, for example when the address was typed with a scheme.
QUrl downloadUrl(const QString& hostName, const QString& urlPath)
{
    const QUrl url(QStringLiteral("http://") + hostName + urlPath, QUrl::StrictMode);
    const bool plainHost = url.isValid() && !url.host().isEmpty() &&
                           url.authority().compare(hostName, Qt::CaseInsensitive) == 0;
    return plainHost ? url : QUrl();
}

}  // namespace

QString updateProposal(const QString& updurl, const QString& tlefile)
{
    if (updurl.size() <= kShortestBase || updurl.contains(QLatin1Char('?'))) return updurl;
    const QString dir = updurl.left(updurl.lastIndexOf(QLatin1Char('/')) + 1);
    return dir + tlefile.mid(tlefile.lastIndexOf(QLatin1Char('/')) + 1);
}

bool splitUpdateAddress(const QString& address, UpdateAddress& out)
{
    if (address.size() < kShortestAddress) return false;
    const int slash = address.indexOf(QLatin1Char('/'));
    out.hostName = slash < 0 ? address : address.left(slash);
    out.urlPath = slash < 0 ? QString() : address.mid(slash);
    out.fileName = address.contains(QLatin1Char('?')) ? QString() : address.mid(address.lastIndexOf(QLatin1Char('/')) + 1);
    return true;
}

OnlineUpdate::OnlineUpdate(QObject* parent, const QString& logFile)
    : QObject(parent), http(new QNetworkAccessManager(this)), stallTimer(new QTimer(this)),
      logFile(logFile), maxBytes(kMaxReplyBytes)
{
    stallTimer->setInterval(kStallMs);
    connect(stallTimer, &QTimer::timeout, this, &OnlineUpdate::checkStall);
}

OnlineUpdate::~OnlineUpdate() = default;

void OnlineUpdate::setStallLimit(int ms) { stallTimer->setInterval(ms); }

void OnlineUpdate::setSizeLimit(qint64 bytes) { maxBytes = bytes; }

qint64 OnlineUpdate::sinceDownload(const QString& address) const
{
    const std::time_t last = LastDownload(QFile::encodeName(logFile).constData(), address.toStdString());
    return last == 0 ? -1 : std::time(nullptr) - last;
}

OnlineUpdate::Start OnlineUpdate::get(const QString& hostName, const QString& urlPath,
                                      const QString& fileName)
{
    if (updBusy) return Busy;
    targetFile = fileName;
    address = hostName + urlPath;
    body = std::make_unique<Replacement>(QFile::encodeName(fileName).constData());
    if (!body->file()) {
        errorText = QString::fromLocal8Bit(std::strerror(errno));
        body.reset();
        return CannotWrite;
    }
    updBusy = true;
    received = receivedAtCheck = 0;
    stopReason.clear();
    const QUrl url = downloadUrl(hostName, urlPath);
    if (!url.isValid()) {
        failLater(tr("Invalid host name %1").arg(hostName));
        return Started;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    current = http->get(request);
    connect(current, &QNetworkReply::readyRead, this, &OnlineUpdate::receive);
    connect(current, &QNetworkReply::downloadProgress, this, &OnlineUpdate::progress);
    connect(current, &QNetworkReply::finished, this, [this, reply = current] { finish(reply); });
    stallTimer->start();
    return Started;
}

void OnlineUpdate::cancel()
{
    if (current) stop(tr("Download cancelled"));
}

void OnlineUpdate::receive()
{
    const QByteArray chunk = current->readAll();
    received += chunk.size();
    if (received > maxBytes) {
        stop(tr("The reply is larger than %1 bytes").arg(QString::fromStdString(groupedBytes(maxBytes))));
        return;
    }
    if (std::fwrite(chunk.constData(), 1, chunk.size(), body->file()) != static_cast<size_t>(chunk.size()))
        stop(tr("Cannot write beside %1: %2").arg(targetFile, QString::fromLocal8Bit(std::strerror(errno))));
}

void OnlineUpdate::checkStall()
{
    if (received - receivedAtCheck < kStallBytes)
        stop(tr("Less than 1 KiB received in %1 s").arg(stallTimer->interval() / 1000.0));
    receivedAtCheck = received;
}

void OnlineUpdate::stop(const QString& why)
{
    stopReason = why;
    current->abort();
}

void OnlineUpdate::finish(QNetworkReply* reply)
{
    reply->deleteLater();
    stallTimer->stop();
    if (reply->error() == QNetworkReply::NoError) receive();
    current = nullptr;
    const QString why = stopReason.isEmpty() ? rejection(reply) : stopReason;
    if (!why.isEmpty()) {
        errorText = kept(why);
        complete(true);
        return;
    }
    const bool written = body->commit();
    if (!written) errorText = kept(tr("Cannot replace the file"));
    if (written && !logFile.isEmpty())
        NoteDownload(QFile::encodeName(logFile).constData(), address.toStdString(), std::time(nullptr));
    complete(!written);
}

QString OnlineUpdate::rejection(QNetworkReply* reply)
{
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() != kHttpOk)
        return tr("The server answered %1 %2")
            .arg(status.toInt())
            .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    if (reply->error() != QNetworkReply::NoError) return reply->errorString();
    if (std::fflush(body->file()) != 0) return tr("Cannot write beside %1").arg(targetFile);
    const std::string what = rejectReply(body->file(), received,
                                         reply->header(QNetworkRequest::ContentTypeHeader).toString().toStdString());
    if (what.empty()) return {};
    return tr("The server sent no element data (%1)").arg(QString::fromStdString(what));
}

void OnlineUpdate::failLater(const QString& text)
{
    errorText = text;
    // The end is reported from the event loop, like that of a real transfer.
    QTimer::singleShot(0, this, [this] { complete(true); });
}

void OnlineUpdate::complete(bool error)
{
    body.reset();
    updBusy = false;
    emit done(error);
}

QString OnlineUpdate::kept(const QString& text) const
{
    return tr("%1; %2 was kept").arg(text, QFileInfo(targetFile).fileName());
}
