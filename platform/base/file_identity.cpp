// platform/base/file_identity.cpp: size, time, place and digest of a file.
#include "platform/base/file_identity.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>
#include <vector>

namespace {

/// File systems whose times count in whole seconds, or two, miss a write within the tick; a
/// time in whole seconds is taken for one of theirs.
constexpr std::int64_t kCoarseTickNs = 2'000'000'000;

std::int64_t NowNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return std::int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

constexpr std::uint64_t kPrime = 0x100000001b3ULL;
constexpr std::uint64_t kOffset = 0xcbf29ce484222325ULL;
constexpr std::size_t kLanes = 4;

/// Mixes one 64-bit word into a lane of the digest.
std::uint64_t Mix(std::uint64_t lane, std::uint64_t word)
{
    lane ^= word;
    lane *= kPrime;
    return lane ^ (lane >> 29);
}

/// Four lanes take the words in turn, so that the processor mixes them side by side; the
/// lanes are folded into one digest at the end.
struct Digest {
    std::uint64_t lanes[kLanes] = {kOffset, kOffset ^ 1, kOffset ^ 2, kOffset ^ 3};

    /// Mixes bytes, whose size is a whole number of blocks of kLanes words but at the end.
    void Add(const char* bytes, std::size_t size)
    {
        std::size_t at = 0;
        for (; at + 8 * kLanes <= size; at += 8 * kLanes) {
            std::uint64_t words[kLanes];
            std::memcpy(words, bytes + at, sizeof words);
            for (std::size_t lane = 0; lane < kLanes; ++lane)
                lanes[lane] = Mix(lanes[lane], words[lane]);
        }
        for (; at < size; ++at)
            lanes[0] = Mix(lanes[0], static_cast<unsigned char>(bytes[at]));
    }

    std::uint64_t Value() const
    {
        std::uint64_t value = kOffset;
        for (const std::uint64_t lane : lanes)
            value = Mix(value, lane);
        return value;
    }
};

} // namespace

std::optional<std::uint64_t> FileIdentity::DigestOf(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    // The buffer is mixed only when full (or at the end), so the words fall alike however the
    // reads come back.
    std::vector<char> buffer(std::size_t(1) << 20);
    Digest digest;
    std::size_t pending = 0;
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data() + pending, buffer.size() - pending);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ::close(fd);
            return std::nullopt;
        }
        pending += std::size_t(got);
        if (got == 0 || pending == buffer.size()) {
            digest.Add(buffer.data(), pending);
            pending = 0;
        }
        if (got == 0)
            break;
    }
    ::close(fd);
    return digest.Value();
}

FileIdentity FileIdentity::StatOf(const std::string& path)
{
    FileIdentity identity;
    identity.takenNs = NowNs();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return identity;
    identity.exists = true;
    identity.size = info.st_size;
    identity.modifiedNs = std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
    return identity;
}

FileIdentity FileIdentity::Of(const std::string& path)
{
    FileIdentity identity = StatOf(path);
    const std::optional<std::uint64_t> digest =
        identity.exists ? DigestOf(path) : std::optional<std::uint64_t>();
    if (!digest)
        return FileIdentity{};
    identity.digest = *digest;
    identity.hasDigest = identity.SameStat(StatOf(path));
    return identity;
}

bool FileIdentity::SameStat(const FileIdentity& other) const
{
    return exists == other.exists && size == other.size && modifiedNs == other.modifiedNs &&
           device == other.device && inode == other.inode;
}

bool FileIdentity::Matches(const std::string& path) const
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return !exists;
    if (!exists || !S_ISREG(info.st_mode) || info.st_size != size)
        return false;
    const std::int64_t modified =
        std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    if (modified == modifiedNs && info.st_dev == device && info.st_ino == inode &&
        (modifiedNs % 1'000'000'000 != 0 || takenNs - modifiedNs >= kCoarseTickNs))
        return true;
    return hasDigest && DigestOf(path) == digest;
}

std::string FileIdentity::ToText() const
{
    std::ostringstream out;
    out << (exists ? 1 : 0) << ' ' << size << ' ' << modifiedNs << ' ' << device << ' ' << inode
        << ' ' << digest << ' ' << takenNs << ' ' << (hasDigest ? 1 : 0);
    return out.str();
}

std::optional<FileIdentity> FileIdentity::FromText(std::string_view text)
{
    std::istringstream in{std::string(text)};
    FileIdentity identity;
    int exists = 0;
    int hasDigest = 0;
    if (!(in >> exists >> identity.size >> identity.modifiedNs >> identity.device >>
          identity.inode >> identity.digest >> identity.takenNs >> hasDigest) ||
        (exists != 0 && exists != 1))
        return std::nullopt;
    identity.exists = exists == 1;
    identity.hasDigest = hasDigest == 1;
    return identity;
}
