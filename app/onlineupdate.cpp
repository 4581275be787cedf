#include "onlineupdate.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include "core/safewrite.h"

namespace {

// Addresses of this length or shorter are not taken as the base of a proposal.
constexpr int kShortestBase = 5;
// The shortest address accepted.
constexpr int kShortestAddress = 2;
// Redirects followed before the download counts as failed (servers move plain HTTP to HTTPS).
constexpr int kMaxRedirects = 10;
// A transfer with no data for this long is abandoned, ms.
constexpr int kTransferTimeoutMs = 60000;

// The download address of host (with an optional ":port") and path; invalid when the host is not
// a plain host name, for example when the address was typed with a scheme.
QUrl downloadUrl(const QString& hostName, const QString& urlPath)
{
    const QUrl url(QStringLiteral("http://") + hostName + urlPath, QUrl::StrictMode);
    const bool plainHost = url.isValid() && !url.host().isEmpty() &&
                           url.authority().compare(hostName, Qt::CaseInsensitive) == 0;
    return plainHost ? url : QUrl();
}

// Copies the file from into to byte for byte, replacing to; false when either side fails.
bool copyBytes(const QString& from, const QString& to)
{
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = in.readAll();
    return out.write(bytes) == bytes.size();
}

}  // namespace

QString updateProposal(const QString& updurl, const QString& tlefile)
{
    if (updurl.size() <= kShortestBase) return updurl;
    const QString dir = updurl.left(updurl.lastIndexOf(QLatin1Char('/')) + 1);
    return dir + tlefile.mid(tlefile.lastIndexOf(QLatin1Char('/')) + 1);
}

bool splitUpdateAddress(const QString& address, UpdateAddress& out)
{
    if (address.size() < kShortestAddress) return false;
    const int slash = address.indexOf(QLatin1Char('/'));
    out.hostName = slash < 0 ? address : address.left(slash);
    out.urlPath = slash < 0 ? QString() : address.mid(slash);
    out.fileName = address.mid(address.lastIndexOf(QLatin1Char('/')) + 1);
    return true;
}

OnlineUpdate::OnlineUpdate(QObject* parent, const QString& backupName)
    : QObject(parent), http(new QNetworkAccessManager(this)), backupFile(backupName)
{
}

OnlineUpdate::Start OnlineUpdate::get(const QString& hostName, const QString& urlPath,
                                      const QString& fileName)
{
    if (updBusy) return Busy;
    targetFile = fileName;
    makeBackup();
    // Opening for appending proves the target writable (creating it when missing) without
    // touching its content before the body has arrived.
    QFile target(targetFile);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Append)) {
        errorText = target.errorString();
        return CannotWrite;
    }
    target.close();
    updBusy = true;
    const QUrl url = downloadUrl(hostName, urlPath);
    if (!url.isValid()) {
        failLater(tr("Invalid host name %1").arg(hostName));
        return Started;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setTransferTimeout(kTransferTimeoutMs);
    QNetworkReply* reply = http->get(request);
    connect(reply, &QNetworkReply::downloadProgress, this, &OnlineUpdate::progress);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finish(reply); });
    return Started;
}

void OnlineUpdate::makeBackup()
{
    backupMade = false;
    if (!QFile::exists(targetFile)) return;
    backupMade = copyBytes(targetFile, backupFile);
    if (!backupMade) QFile::remove(backupFile);
}

void OnlineUpdate::finish(QNetworkReply* reply)
{
    reply->deleteLater();
    const bool failed = reply->error() != QNetworkReply::NoError;
    if (failed)
        errorText = reply->errorString();
    complete(failed || !writeTarget(reply->readAll()));
}

bool OnlineUpdate::writeTarget(const QByteArray& body)
{
    // The downloaded file replaces the old one only once it is completely written.
    const QByteArray path = QFile::encodeName(targetFile);
    if (ReplaceFile(path.constData(), [&](std::FILE* f) { std::fwrite(body.constData(), 1, body.size(), f); }))
        return true;
    errorText = tr("Cannot write %1").arg(targetFile);
    return false;
}

void OnlineUpdate::failLater(const QString& text)
{
    errorText = text;
    // The end is reported from the event loop, like that of a real transfer.
    QTimer::singleShot(0, this, [this] { complete(true); });
}

void OnlineUpdate::complete(bool error)
{
    if (error && backupMade) copyBytes(backupFile, targetFile);
    if (backupMade) QFile::remove(backupFile);
    backupMade = false;
    updBusy = false;
    emit done(error);
}
