// Where `okuzuke` finds what comes with it: the plug-in library and the
// bundled sample. Installed under a prefix they sit at fixed places relative
// to the program (bin/okuzuke, lib/okuzuke/libokuzuke.so,
// share/okuzuke/sample/), so the prefix can be anything and can move; in the
// build folder the plug-in is beside the program and the sample is in the
// source tree.
#pragma once

#include <string>

namespace okuzuke::cli {

// The plug-in beside the program, else the installed one; empty when
// neither is there.
std::string DefaultPluginPath();
// Both places DefaultPluginPath looks, for the message when it finds none.
std::string PluginPlaces();

// The replay folder of the bundled sample: the installed one, else the
// source tree's.
std::string DefaultSamplePages();

}  // namespace okuzuke::cli
