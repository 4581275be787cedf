// The online TLE update: the address proposal and split, and the download of one file over HTTP.
// The body streams into a temporary file beside the target, which replaces the target only when
// the transfer succeeded and the body reads as element data; otherwise the target is untouched.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;
class Replacement;

// The address proposed for an update: the server directory of the last address updurl (its text
// up to the last '/') followed by the base name of the TLE file tlefile; updurl unchanged when it
// has 5 characters or fewer or is a query (holds '?').
QString updateProposal(const QString& updurl, const QString& tlefile);

// An update address split into the host (with an optional ":port"), the path from the first '/'
// and the file name after the last '/' (empty for a query, whose reply has no file name).
struct UpdateAddress {
    QString hostName;
    QString urlPath;
    QString fileName;
};

// Splits address (host, then the path from the first '/'); false for fewer than 2 characters.
bool splitUpdateAddress(const QString& address, UpdateAddress& out);

class OnlineUpdate : public QObject {
    Q_OBJECT
public:
    enum Start { Started, Busy, CannotWrite };

    // logFile: where the time of each successful download is kept, by address.
    explicit OnlineUpdate(QObject* parent = nullptr, const QString& logFile = QString());
    ~OnlineUpdate() override;

    // A download that receives less than 1 KiB within ms is abandoned (default 60 s).
    void setStallLimit(int ms);
    // A download that receives more than bytes in all is abandoned (default 256 MiB).
    void setSizeLimit(qint64 bytes);

    // Starts downloading http://hostName urlPath for the file fileName. Busy while another
    // download runs; CannotWrite when no file can be written beside the target (errorString()
    // tells why). Started downloads end with done().
    Start get(const QString& hostName, const QString& urlPath, const QString& fileName);
    // Stops the running download; the target stays as it was.
    void cancel();

    // Seconds since the address host + path was last downloaded successfully; -1 when never.
    qint64 sinceDownload(const QString& address) const;

    bool busy() const { return updBusy; }
    QString targetName() const { return targetFile; }
    // Why the last start or download failed.
    QString errorString() const { return errorText; }

signals:
    // Bytes received so far and the total (-1 when the server did not say).
    void progress(qint64 received, qint64 total);
    // The download ended; the target holds the new body, or its old content after an error.
    void done(bool error);

private:
    // Appends what the reply has received to the temporary file.
    void receive();
    // Abandons the download when less than 1 KiB arrived since the last check.
    void checkStall();
    // Stops the transfer with the error text why.
    void stop(const QString& why);
    // Ends the download of reply: checks the status and the body, replaces the target or not.
    void finish(QNetworkReply* reply);
    // Why the finished reply cannot replace the target; empty when it can.
    QString rejection(QNetworkReply* reply);
    // Ends the download with an error that happened before any transfer.
    void failLater(const QString& text);
    // Drops the temporary file unless committed and reports the end.
    void complete(bool error);
    // text followed by "; <target> was kept".
    QString kept(const QString& text) const;

    QNetworkAccessManager* http = nullptr;
    QNetworkReply* current = nullptr;
    QTimer* stallTimer = nullptr;
    std::unique_ptr<Replacement> body;
    QString logFile;
    QString address;
    QString targetFile;
    QString errorText;
    QString stopReason;
    qint64 received = 0;
    qint64 receivedAtCheck = 0;
    qint64 maxBytes;
    bool updBusy = false;
};
