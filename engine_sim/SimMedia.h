#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The parts of the simulation that draw or read pictures and sounds. Qt is
// used here only through QImage (reentrant, usable on any thread) and, on the
// GUI thread alone, QGuiApplication::screens().
namespace rjsim::media {

struct Screen {
    std::string name;
    int x = 0;
    int y = 0;
    int width = 1920;
    int height = 1080;
};

struct Window {
    std::string title;
    std::uintptr_t id;
    int width;
    int height;
};

// The screens to offer: RJSIM_SCREENS ("name1,name2", for tests) when set;
// otherwise the display's screens, read only when called on the thread of a
// QGuiApplication. False when neither source could be read here.
bool readScreens(std::vector<Screen> *screens);

// A few windows that can be shared.
const std::vector<Window> &demoWindows();

// A picture of width x height for a share source: bitmapType 0 gives 24-bit
// rows in blue, green, red byte order, each row padded to 4 bytes (what a
// QImage over the data expects); bitmapType 1 gives 32-bit ARGB. The caller
// owns the returned buffer (delete[]). Null for a bad size or type.
unsigned char *renderSourceBitmap(int sourceType, std::uint32_t seed, int width, int height,
                                  int bitmapType);

// Fits width x height into maxWidth x maxHeight, keeping the ratio.
void fitInto(int width, int height, int maxWidth, int maxHeight, int *outWidth, int *outHeight);

// Writes the avatar of a user: the uploaded picture when there is one,
// otherwise a generated one. False when the file cannot be written.
bool writeAvatar(const std::string &path, const std::string &user, const std::string &uploaded);

// Reads a picture file; false when it is missing or not a picture.
bool readPicture(const std::string &path, std::string *bytes);

// Length of a sound file in ms (RIFF/WAVE header), or -1 when it cannot be
// read; 1000 for readable files of another kind.
long long soundDurationMs(const std::string &path);

} // namespace rjsim::media
