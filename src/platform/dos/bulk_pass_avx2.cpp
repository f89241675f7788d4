// The cutter's bulk pass for processors with AVX2; built with -mavx2 on x86-64 only.
#if defined(__AVX2__)
#define VS_BULK_PASS BulkPassAVX2
#include "bulk_pass.inc"
#endif
