#include "core/slotcopy.h"

#include <cstring>

void ShiftElm(WinpData* in, int to, int from)
{
    in->sgpslot = kNoSgpSlot;
    if (to < 0 || to >= kSlots || from < 0 || from >= kSlots || to == from) return;
    auto copy = [to, from](auto& a) { a[to] = a[from]; };
    auto copytext = [to, from](auto& a) { std::memcpy(a[to], a[from], sizeof a[to]); };
    auto copyvec = [&copy](auto& a) {
        for (auto& component : a) copy(component);
    };
    copy(in->satno);
    copytext(in->intldsn);
    copytext(in->satname);
    copy(in->sgp4flg);
    copy(in->numflg);
    copy(in->elsetno);
    copy(in->elrevno);
    for (double* a : {in->elepoch, in->elsma, in->elnode, in->elargp, in->elincl, in->elecc,
                      in->elmanom, in->elmm, in->eladot, in->elndot, in->elnddot, in->elbstar,
                      in->stmjd, in->scf107, in->scf107avg, in->sckp, in->sccd, in->sccr, in->scam,
                      in->thracc, in->thryaw, in->thrpitch})
        a[to] = a[from];
    copyvec(in->svpos);
    copyvec(in->svvel);
    copyvec(in->stpos);
    copyvec(in->stvel);
    copy(in->thrflg);
    copy(in->thrsun);
    copy(in->thrupd);
}
