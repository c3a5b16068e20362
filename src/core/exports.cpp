// The plug-in's two C entry points. Filled in with the lookup run.
#include "core/exports.h"
