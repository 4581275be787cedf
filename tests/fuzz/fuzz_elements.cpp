// SGP4/SDP4 and the pass search over arbitrary elements, handed to the propagator as a parsed
// element set would be. A propagation either reports an error or gives finite states; the passes
// found carry finite instants and angles; every search ends.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "core/defaults.h"
#include "core/passsearch.h"
#include "core/records.h"
#include "core/satsgp4.h"
#include "core/tlefields.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

constexpr int kSlot = 0;
// Propagation instants per input, and the span (days) they and the pass search cover.
constexpr int kInstants = 4;
constexpr double kSpanDays = 1.0;

bool finite(const Vec3& v) { return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]); }

TleFields elements(ByteReader& bytes)
{
    TleFields f{};
    f.satno = 1;
    f.epochyear = bytes.byte() % 100;
    f.ephtype = '0';
    for (double* x : {&f.epochday, &f.ndot, &f.nddot, &f.bstar, &f.incl, &f.node, &f.ecc, &f.argp, &f.manom, &f.mm})
        *x = bytes.number();
    return f;
}

// An instant within kSpanDays of the epoch, from one byte.
double offset(ByteReader& bytes) { return kSpanDays * (bytes.byte() / 255.0 - 0.5); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::unique_ptr<WinpData> in = std::make_unique<WinpData>();
    static const std::unique_ptr<SatPosData> sp = std::make_unique<SatPosData>();
    ByteReader bytes(data, size);
    SetDefaults(in.get(), 0);
    SetDefaults(sp.get());
    const uint8_t mode = bytes.byte();
    in->gravflg = mode & 1;
    in->sgpmode = (mode & 2) != 0;
    StoreTle(in.get(), kSlot, elements(bytes));
    in->nsat = 1;
    in->prime = kSlot;
    in->sgpslot = kNoSgpSlot;
    for (int k = 0; k < kInstants; ++k) {
        Vec3 r, v;
        if (Sgp4(in.get(), offset(bytes), kSlot, r, v) == 0 && !(finite(r) && finite(v))) std::abort();
    }
    const double t0 = in->elepoch[kSlot] + offset(bytes);
    if (!std::isfinite(t0)) return 0;
    for (const PassEvent& p : FindPasses(in.get(), kSlot, t0, t0 + kSpanDays, sp.get()))
        for (int k = 0; k < 3; ++k)
            if (!std::isfinite(p.tm[k]) || !std::isfinite(p.el[k]) || !std::isfinite(p.az[k])) std::abort();
    return 0;
}
