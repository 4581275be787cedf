// Pictures over arbitrary bytes: Qt's image readers as the picture command loads a file, then the
// view shows the picture at each display size (full, half, quarter), as the size commands do.
#include <QApplication>
#include <QByteArray>
#include <QImage>

#include <cstddef>
#include <cstdint>

#include "core/defaults.h"
#include "core/records.h"
#include "orbikaview.h"

namespace {
// Display sizes of the size commands: full, half and quarter.
constexpr int kSizes[] = {1, 2, 3};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_picture";
    static char* argv[] = {name, nullptr};
    static const bool platform = qputenv("QT_QPA_PLATFORM", "offscreen");
    // Application and view live until the process ends and are never destroyed: destroying them
    // in the static teardown after the runs leaves Qt's font caches behind, which the leak check
    // then reports against whatever input ran last.
    static QApplication* const app = new QApplication(argc, argv);
    static OrbikaView* const view = [] {
        SetDefaults(indata);
        return new OrbikaView(nullptr);
    }();
    (void)app;
    (void)platform;
    const QImage image = QImage::fromData(QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                                  static_cast<qsizetype>(size)));
    if (image.isNull()) return 0;
    indata->picstep = 0;
    view->vPicture(image);
    for (const int s : kSizes) view->vImage(s);
    return 0;
}
