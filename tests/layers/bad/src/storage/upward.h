// Reaches up from storage into decode: the check must refuse it.
#include "decode/cp932.h"
