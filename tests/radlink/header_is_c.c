/* The public header is plain C. */
#include "radlink.h"

int radlink_header_is_c(void) { return QVZB_ComCheckOpen(); }
