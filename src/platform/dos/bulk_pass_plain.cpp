// The cutter's bulk pass for any x86-64 (and other processors).
#define VS_BULK_PASS BulkPassPlain
#include "bulk_pass.inc"
