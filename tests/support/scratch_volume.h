#pragma once
// Real file systems for tests of what the disk does: a small tmpfs mounted for one test (a full
// disk, another volume), and running as another user (a folder or file we may not write).
// Mounting needs root; where it is not allowed the test is skipped with the reason.

#include <sys/types.h>

#include <QString>
#include <string>

namespace vesk::test {

class ScratchVolume {
  public:
    // A tmpfs of the given size in bytes, mounted on a fresh folder.
    explicit ScratchVolume(std::size_t bytes);
    ~ScratchVolume();
    ScratchVolume(const ScratchVolume&) = delete;
    ScratchVolume& operator=(const ScratchVolume&) = delete;

    bool Mounted() const { return mounted_; }
    // Why it is not mounted, for the skip message.
    const QString& Problem() const { return problem_; }
    const QString& Path() const { return path_; }
    // Fills the volume with a file until only about `left` bytes are free.
    bool FillLeaving(std::size_t left);
    std::size_t FreeBytes() const;
    // Makes the volume read-only (what is on it stays).
    bool MakeReadOnly();

  private:
    QString path_;
    QString problem_;
    bool mounted_ = false;
};

// While alive, the process acts as another user (effective ids) where it may: as root, the
// unprivileged "nobody"; ok() is false elsewhere.
class ActingAsOtherUser {
  public:
    ActingAsOtherUser();
    ~ActingAsOtherUser();
    ActingAsOtherUser(const ActingAsOtherUser&) = delete;
    ActingAsOtherUser& operator=(const ActingAsOtherUser&) = delete;
    bool ok() const { return ok_; }
    static uid_t Uid();
    static gid_t Gid();

  private:
    bool ok_ = false;
};

}  // namespace vesk::test

// Skips the test (with the reason) when the volume could not be mounted.
#define VESK_REQUIRE_VOLUME(volume)                                                            \
    do {                                                                                       \
        if (!(volume).Mounted())                                                               \
            GTEST_SKIP() << "cannot mount a tmpfs here: " << (volume).Problem().toStdString(); \
    } while (0)
