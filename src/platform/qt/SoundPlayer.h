#pragma once
// Plays short wave files without waiting for them. Each file is loaded once and kept until
// it changes on disk.
#include <QDateTime>

#include <map>
#include <memory>
#include <string>

class QSoundEffect;

class SoundPlayer {
  public:
    SoundPlayer();
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Starts `path`, stopping whatever this player was playing. Missing files play nothing.
    void Play(const std::string& path);
    int CachedCount() const { return static_cast<int>(cache_.size()); }

  private:
    struct Entry {
        std::unique_ptr<QSoundEffect> effect;
        QDateTime modified;
        qint64 size = -1;
        bool pending = false; // play as soon as loading ends
    };
    Entry& Load(const std::string& path, const QDateTime& modified, qint64 size);

    std::map<std::string, std::unique_ptr<Entry>> cache_;
};
