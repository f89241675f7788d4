// The environment store: what an application keeps between runs, one file per
// application base name and section ("Vellumscanner.state"), in ENV: for the
// session and ENVARC: for good. Reading ENV: falls back to ENVARC:, as the
// session's copy is made from the archive at boot. Files are replaced whole, so
// a failed write never leaves a half-written store; a damaged store reads as
// empty.
#pragma once
#include "dataspace.h"

bool EnvStoreRead(CONST_STRPTR base, CONST_STRPTR section, bool archive, Dataspace &out);
bool EnvStoreWrite(CONST_STRPTR base, CONST_STRPTR section, bool archive, const Dataspace &values);

// The text form of a store, exposed for tests and the fuzzer.
std::string EnvStoreFormat(const Dataspace &values);
bool EnvStoreParse(const std::string &text, Dataspace &out);
