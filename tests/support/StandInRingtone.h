#pragma once

namespace glimora::test {

// Points the call controller at a small file in the isolated root: the engine
// only needs some file as ringtone, and the real one lives beside the
// application. False when the file cannot be written.
bool useStandInRingtone();

} // namespace glimora::test
