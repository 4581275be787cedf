#include "core/epochstate.h"

#include <memory>

#include "core/satstate.h"
#include "core/slotcopy.h"

void EpochState(WinpData* in, int slot, bool newsc)
{
    if (slot < 0 || slot >= kSlots) return;
    // The state computation fills rows of the selection slots only, so the slot is computed as
    // row 0 of a copy of the settings, outside relative mode.
    auto work = std::make_unique<WinpData>(*in);
    ShiftElm(work.get(), 0, slot);
    work->relmode = 0;
    work->prime = 0;
    work->nsat = 1;
    auto sp = std::make_unique<SatPosData>();
    GetSatPos(work->elepoch[0], work.get(), sp.get(), 0, 0);

    in->sgpslot = kNoSgpSlot;
    in->numflg[slot] = 0;
    in->stmjd[slot] = work->stmjd[0];
    for (int k = 0; k < 3; ++k) {
        in->svpos[k][slot] = in->stpos[k][slot] = work->stpos[k][0];
        in->svvel[k][slot] = in->stvel[k][slot] = work->stvel[k][0];
    }
    if (!newsc) return;
    in->scf107[slot] = in->f107;
    in->scf107avg[slot] = in->f107avg;
    in->sckp[slot] = in->kp;
    in->sccd[slot] = in->cd;
    in->sccr[slot] = in->cr;
    in->scam[slot] = in->areamass;
    in->thracc[slot] = in->thryaw[slot] = in->thrpitch[slot] = 0.0;
    in->thrflg[slot] = false;
    in->thrupd[slot] = false;
    in->thrsun[slot] = true;
}
