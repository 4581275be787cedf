// Pictures over arbitrary bytes: Qt's image readers as the picture command loads a file, then the
// view shows the picture at each display size (full, half, quarter), as the size commands do.
#include <QApplication>
#include <QByteArray>
#include <QImage>

#include <cstddef>
#include <cstdint>
#include <memory>

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
    static QApplication app(argc, argv);
    static const std::unique_ptr<OrbikaView> view = [] {
        SetDefaults(indata);
        return std::make_unique<OrbikaView>(nullptr);
    }();
    (void)platform;

    const QImage image = QImage::fromData(QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                                  static_cast<qsizetype>(size)));
    if (image.isNull()) return 0;
    indata->picstep = 0;
    view->vPicture(image);
    for (const int s : kSizes) view->vImage(s);
    return 0;
}
