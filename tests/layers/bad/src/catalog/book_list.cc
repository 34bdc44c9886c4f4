// Only subbook_entry.cc may reach the reader from the catalog.
#include "reader/eb_reader.h"
