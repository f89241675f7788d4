// Adding files to the base and scanning its documents again, the files
// scanned on as many threads as the machine has cores and put into the tree
// by the GUI thread, in their order. In the window a job goes on while the
// input loop runs: each time files are scanned the loop hears of it
// (QMXM_Baza_JobStep) and puts in place those next in order; the field above
// the tree tells how far it has come at most 20 times a second; the stop
// button ends it, keeping what is in place, and any other work on the base
// waits for it to end. Meanwhile the tree takes no input.
#pragma once
#include "baza.h"

#include <string>
#include <vector>

// Adds names below the active group in the background.
void BazaJobAdd(const std::vector<std::string> &names);
// Rescans every document of the tree in the background.
void BazaJobRescan();
bool BazaJobRunning();
// The scanning threads' news: puts in place what is scanned, and ends the
// job when nothing is left.
void BazaJobStep(ULONG serial);
// Ends the job that goes on, if any: what is scanned so far (in order) is put
// in place, the rest stays as it was, and the base counts as changed.
void BazaJobStop();
// Waits for the job that goes on, if any, and puts all of it in place.
void BazaJobFinish();
// Whether a method sent to the base panel must wait for the job to end:
// whatever may show or change the base's documents.
bool BazaJobEndsFor(Msg msg);
