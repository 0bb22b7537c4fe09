// platform/base/file_identity.h: what tells one version of a file from another, so that a save
// can see that the file on disk is no longer the one that was read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// A file's size, modification time and place on its device, with a digest of its bytes for
/// when those change while the content does not (a sync tool or a backup touching the file, a
/// copy put back).
struct FileIdentity {
    bool exists = false;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t digest = 0;
    /// Whether digest holds the digest of this version; without it only the size, the time and
    /// the place tell, and a file whose time changed counts as another version.
    bool hasDigest = false;
    /// When the identity was taken (the system clock, in ns): a file modified shortly before
    /// may be written again within the same tick of a coarse clock, unseen by its times.
    std::int64_t takenNs = 0;

    /// The identity of the file at path as it is now, digest included; exists is false when
    /// nothing can be read there.
    static FileIdentity Of(const std::string& path);
    /// The same without the digest, for a caller that takes it apart (DigestOf, then
    /// SameStat to see that the file did not change while it was read).
    static FileIdentity StatOf(const std::string& path);
    /// Whether two identities have the same size, time and place.
    bool SameStat(const FileIdentity& other) const;
    /// A digest of the file's bytes (not for security: it tells versions of one file apart);
    /// nothing when the file cannot be read whole.
    static std::optional<std::uint64_t> DigestOf(const std::string& path);

    /// Whether the file at path is still this version: the same file with the same size and
    /// modification time (unless that time, in whole seconds as a coarse clock gives it, was too
    /// close to when the identity was taken to tell), or else the same size and the same bytes. A
    /// file that was not there matches only a path where there is still nothing.
    bool Matches(const std::string& path) const;

    /// One line of text that FromText reads back.
    std::string ToText() const;
    static std::optional<FileIdentity> FromText(std::string_view text);
};
