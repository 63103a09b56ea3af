#include "app/windowloader.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

// The window library's bytes, placed into the program by the assembler (windowimage.S).
extern "C" const char korvel_window_image_begin[];
extern "C" const char korvel_window_image_end[];

namespace korvel {

namespace {

bool writeAll(int fd, const char *bytes, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= size_t(written);
    }
    return true;
}

// A file that holds the image and that the loader can open by name: a memory file where the
// system has them, else a temporary file that is unlinked once loaded.
struct ImageFile {
    int fd = -1;
    std::string path;
    std::string unlinkAfterLoad;
};

ImageFile writeImage(const char *bytes, size_t size)
{
    ImageFile file;
    file.fd = ::memfd_create("korvel-window", MFD_CLOEXEC);
    if (file.fd >= 0 && ::access("/proc/self/fd", R_OK) == 0) {
        file.path = "/proc/self/fd/" + std::to_string(file.fd);
    } else {
        if (file.fd >= 0)
            ::close(file.fd);
        const char *folder = std::getenv("TMPDIR");
        std::string name = std::string(folder && *folder ? folder : "/tmp") + "/korvel-window-XXXXXX";
        file.fd = ::mkstemp(name.data());
        if (file.fd < 0)
            return file;
        file.path = name;
        file.unlinkAfterLoad = name;
    }
    if (!writeAll(file.fd, bytes, size)) {
        ::close(file.fd);
        if (!file.unlinkAfterLoad.empty())
            ::unlink(file.unlinkAfterLoad.c_str());
        file.fd = -1;
    }
    return file;
}

} // namespace

int runWindowFromImage(int argc, char **argv)
{
    const size_t size = size_t(korvel_window_image_end - korvel_window_image_begin);
    ImageFile image = writeImage(korvel_window_image_begin, size);
    if (image.fd < 0) {
        std::fprintf(stderr, "korvel: cannot start the window: no room for its library (%s)\n", std::strerror(errno));
        return 1;
    }
    void *library = ::dlopen(image.path.c_str(), RTLD_NOW | RTLD_LOCAL);
    // The loader keeps its own mapping: the file is needed no longer.
    ::close(image.fd);
    if (!image.unlinkAfterLoad.empty())
        ::unlink(image.unlinkAfterLoad.c_str());
    if (!library) {
        std::fprintf(stderr, "korvel: cannot start the window: %s\n", ::dlerror());
        return 1;
    }
    using Entry = int (*)(int, char **);
    const auto entry = reinterpret_cast<Entry>(::dlsym(library, "korvel_window_main"));
    if (!entry) {
        std::fprintf(stderr, "korvel: cannot start the window: %s\n", ::dlerror());
        return 1;
    }
    return entry(argc, argv);
}

} // namespace korvel
