#pragma once

namespace tk {

// Replaces Xlib's default error handler, which ends the process, with one that
// logs the error and goes on. Some X servers refuse optional requests (such as
// the swap interval on a virtual server) that the program can live without.
void installXErrorLogger();

}  // namespace tk
