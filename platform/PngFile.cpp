#include "platform/PngFile.h"

#include <fcntl.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <glib/gstdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace platform {

namespace {

constexpr int kMaxNumber = 9999;

std::string Encode(const TPageSnapshot& picture) {
    if (picture.Width <= 0 || picture.Height <= 0 ||
        picture.Rgba.size() != size_t(picture.Width) * picture.Height * 4)
        throw std::runtime_error("截图的画面不完整");
    GdkPixbuf* pixbuf =
        gdk_pixbuf_new_from_data(picture.Rgba.data(), GDK_COLORSPACE_RGB, TRUE, 8, picture.Width,
                                 picture.Height, picture.Width * 4, nullptr, nullptr);
    gchar* buffer = nullptr;
    gsize size = 0;
    GError* error = nullptr;
    gboolean ok = gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &size, "png", &error, nullptr);
    g_object_unref(pixbuf);
    if (!ok) {
        std::string reason = error ? error->message : "PNG";
        if (error) g_error_free(error);
        throw std::runtime_error("无法生成截图：" + reason);
    }
    std::string bytes(buffer, size);
    g_free(buffer);
    return bytes;
}

// -1 with errno EEXIST when the name is taken.
int CreateExclusive(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
}

void WriteAll(int fd, const std::string& bytes, const std::string& path) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            int why = errno;
            ::close(fd);
            ::unlink(path.c_str());
            throw std::runtime_error("无法写入 " + path + "：" + std::strerror(why));
        }
        done += size_t(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        int why = errno;
        ::unlink(path.c_str());
        throw std::runtime_error("无法写入 " + path + "：" + std::strerror(why));
    }
}

} // namespace

std::string PicturesFolder() {
    const char* pictures = g_get_user_special_dir(G_USER_DIRECTORY_PICTURES);
    if (pictures && *pictures) return pictures;
    return std::string(g_get_home_dir()) + "/Pictures";
}

std::string WriteNewPng(const std::string& folder, const std::string& stem,
                        const TPageSnapshot& picture) {
    std::string bytes = Encode(picture);
    if (g_mkdir_with_parents(folder.c_str(), 0755) != 0)
        throw std::runtime_error("无法建立文件夹 " + folder + "：" + std::strerror(errno));
    for (int number = 0; number <= kMaxNumber; ++number) {
        std::string path =
            folder + "/" + stem + (number ? "(" + std::to_string(number) + ")" : "") + ".png";
        int fd = CreateExclusive(path);
        if (fd >= 0) {
            WriteAll(fd, bytes, path);
            return path;
        }
        if (errno != EEXIST)
            throw std::runtime_error("无法写入 " + path + "：" + std::strerror(errno));
    }
    throw std::runtime_error("文件夹 " + folder + " 里同名的截图太多");
}

} // namespace platform
