#include "app/glue/searchrunner.h"

#include <QProgressDialog>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <future>
#include <thread>

namespace {
// Interval of the progress display, ms.
constexpr int kPollMs = 100;
}  // namespace

int RunSearch(QWidget* parent, const QString& title, const std::function<int(SearchProgress&)>& search)
{
    SearchProgress progress;
    std::future<int> result = std::async(std::launch::async, search, std::ref(progress));

    QProgressDialog dialog(QObject::tr("Searching the TLE file..."), QObject::tr("Cancel"), 0, 0, parent);
    dialog.setWindowTitle(title);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(0);
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&progress] { progress.cancel = true; });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
        dialog.setLabelText(QObject::tr("Satellites searched: %1").arg(progress.done.load()));
        if (result.wait_for(std::chrono::seconds(0)) == std::future_status::ready) dialog.done(QDialog::Accepted);
    });
    poll.start(kPollMs);
    dialog.exec();
    // Closed before the search ended (Cancel, Escape or the window's close): stop the search.
    if (result.wait_for(std::chrono::seconds(0)) != std::future_status::ready) progress.cancel = true;
    return result.get();
}

int SearchThreads() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }
