// The online TLE update: the address proposal and split, and the download of one file over HTTP
// into a target file with a backup of its old content. The body is written only when the
// transfer succeeded, so a failed download leaves the previous file as it was.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

// The address proposed for an update: the server directory of the last address updurl (its text
// up to the last '/') followed by the base name of the TLE file tlefile; updurl unchanged when it
// has 5 characters or fewer.
QString updateProposal(const QString& updurl, const QString& tlefile);

// An update address split into the host (with an optional ":port"), the path from the first '/'
// and the file name after the last '/'.
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

    // backupName: the file that keeps the old content of the target while downloading.
    explicit OnlineUpdate(QObject* parent = nullptr,
                          const QString& backupName = QStringLiteral("satwwwsave.tmp"));

    // Starts downloading http://hostName urlPath into the file fileName. Busy while another
    // download runs; CannotWrite when the target cannot be opened for writing (errorString()
    // tells why). Started downloads end with done().
    Start get(const QString& hostName, const QString& urlPath, const QString& fileName);

    bool busy() const { return updBusy; }
    QString targetName() const { return targetFile; }
    QString backupName() const { return backupFile; }
    // Why the last start or download failed.
    QString errorString() const { return errorText; }

signals:
    // Bytes received so far and the total (-1 when the server did not say).
    void progress(qint64 received, qint64 total);
    // The download ended; the target holds the new body, or its old content after an error.
    void done(bool error);

private:
    // Copies the target file byte for byte into the backup file; sets backupMade.
    void makeBackup();
    // Ends the download of reply: writes the body or restores the backup, then cleans up.
    void finish(QNetworkReply* reply);
    // Writes body as the whole target file; false (errorText set) on failure.
    bool writeTarget(const QByteArray& body);
    // Ends the download with an error that happened before any transfer.
    void failLater(const QString& text);
    // Restores the target from the backup when the download failed, removes the backup and
    // reports the end.
    void complete(bool error);

    QNetworkAccessManager* http = nullptr;
    QString targetFile;
    QString backupFile;
    QString errorText;
    bool updBusy = false;
    bool backupMade = false;
};
