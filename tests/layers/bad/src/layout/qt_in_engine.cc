// Qt in the engine: the check must refuse it.
#include <QString>
