#include "platform/qt/SoundPlayer.h"

#include "platform/qt/QtText.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace {
// The game has a couple of sounds; anything beyond this is dropped and reloaded on use.
constexpr size_t kMaxCached = 8;
} // namespace

SoundPlayer::SoundPlayer() = default;
SoundPlayer::~SoundPlayer() = default;

SoundPlayer::Entry& SoundPlayer::Load(const std::string& path, const QDateTime& modified, qint64 size) {
    auto it = cache_.find(path);
    if (it != cache_.end() && it->second->modified == modified && it->second->size == size)
        return *it->second;
    if (it == cache_.end() && cache_.size() >= kMaxCached) cache_.clear();

    auto entry = std::make_unique<Entry>();
    entry->modified = modified;
    entry->size = size;
    entry->effect = std::make_unique<QSoundEffect>();
    Entry* raw = entry.get();
    QObject::connect(raw->effect.get(), &QSoundEffect::statusChanged, raw->effect.get(), [raw] {
        if (raw->pending && raw->effect->status() == QSoundEffect::Ready) {
            raw->pending = false;
            raw->effect->play();
        } else if (raw->effect->status() == QSoundEffect::Error) {
            raw->pending = false;
        }
    });
    raw->effect->setSource(QUrl::fromLocalFile(FromGameText(path)));
    cache_[path] = std::move(entry);
    return *raw;
}

void SoundPlayer::Play(const std::string& path) {
    const QFileInfo info(FromGameText(path));
    if (path.empty() || !info.isFile()) return;
    Entry& entry = Load(path, info.lastModified(), info.size());
    // A new sound cuts off the one before, as the system's own player does.
    for (auto& [key, other] : cache_) {
        if (other.get() != &entry) {
            other->pending = false;
            if (other->effect->isPlaying()) other->effect->stop();
        }
    }
    if (entry.effect->status() == QSoundEffect::Ready) {
        entry.effect->play();
    } else if (entry.effect->status() != QSoundEffect::Error) {
        entry.pending = true;
    }
}
