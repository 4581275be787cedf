#include "core/safewrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

// Symbolic links followed before a path counts as a loop (the kernel's own limit, SYMLOOP_MAX).
constexpr int kMaxLinks = 40;
// Mode of a new file before the umask, as fopen creates it.
constexpr mode_t kNewFileMode = 0666;

// The directory part of path ("." when it has none).
std::string dirName(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// path with its symbolic links followed to the file they name (which need not exist yet).
std::string linkTarget(std::string path)
{
    char buf[PATH_MAX];
    for (int i = 0; i < kMaxLinks; ++i) {
        const ssize_t n = readlink(path.c_str(), buf, sizeof buf - 1);
        if (n < 0) break;
        const std::string link(buf, n);
        path = link[0] == '/' ? link : dirName(path) + "/" + link;
    }
    return path;
}

// The mode a replacement of path gets: that of the existing file, else the default for new files.
mode_t modeFor(const std::string& path)
{
    struct stat st;
    if (stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return kNewFileMode & ~mask;
}

// Syncs the directory dir so that a rename in it survives a crash; false when it cannot.
bool syncDir(const std::string& dir)
{
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    const bool ok = fsync(fd) == 0;
    close(fd);
    return ok;
}

}  // namespace

Replacement::Replacement(const char* path) : target(linkTarget(path))
{
    // Hidden and unique: never a name the user's own files have.
    const size_t slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string name = dirName(target) + "/." + base + ".XXXXXX";
    const int fd = mkstemp(name.data());
    if (fd < 0) return;
    tempName = name;
    temp = fdopen(fd, "w+b");
    if (!temp) {
        close(fd);
        discard();
    }
}

Replacement::~Replacement() { discard(); }

void Replacement::discard()
{
    if (temp) std::fclose(temp);
    temp = nullptr;
    if (!tempName.empty()) unlink(tempName.c_str());
    tempName.clear();
}

bool Replacement::commit()
{
    if (!temp) return false;
    const int fd = fileno(temp);
    bool ok = std::fflush(temp) == 0 && !std::ferror(temp);
    ok = ok && fchmod(fd, modeFor(target)) == 0 && fsync(fd) == 0;
    ok = std::fclose(temp) == 0 && ok;
    temp = nullptr;
    if (!ok || std::rename(tempName.c_str(), target.c_str()) != 0) {
        discard();
        return false;
    }
    tempName.clear();
    syncDir(dirName(target));
    return true;
}

bool ReplaceFile(const char* path, const std::function<void(std::FILE*)>& fill)
{
    Replacement r(path);
    if (!r.file()) return false;
    fill(r.file());
    return r.commit();
}

bool CopyFile(const char* from, const char* to)
{
    std::ifstream in(from, std::ios::binary);
    if (!in) return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return !in.bad() && ReplaceFile(to, [&](std::FILE* f) { std::fwrite(bytes.data(), 1, bytes.size(), f); });
}

bool WriteFile(const char* path, bool replace, const std::function<void(std::FILE*)>& fill)
{
    if (replace) return ReplaceFile(path, fill);
    std::FILE* f = std::fopen(path, "ab");
    if (!f) return false;
    fill(f);
    const bool ok = std::fflush(f) == 0 && !std::ferror(f);
    return std::fclose(f) == 0 && ok;
}
