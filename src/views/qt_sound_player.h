// CQtSoundPlayer: the desktop program's CSoundPlayer -- a wave image built
// by the engine, played from memory through Qt Multimedia (no temporary
// file).
//
// The player parses the image's RIFF chunks ("fmt " and "data"), hands the
// PCM samples to a QAudioSink over a QBuffer and keeps the image until the
// sink has played it out or the sound is stopped. A new sound stops the
// one playing. Without an audio device (a server without sound, the
// offscreen platform of the tests) or for a format the device cannot take,
// nothing plays and nothing is said: a sound is never worth a message.
//
//   CQtSoundPlayer player;
//   PlaySoundTag(media.Book(), markupFromTag, player);
//
// The content view and the graphic window each own one.
#ifndef TOMELING_VIEWS_QT_SOUND_PLAYER_H_
#define TOMELING_VIEWS_QT_SOUND_PLAYER_H_

#include <QObject>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "decode/sound_player.h"

// The samples of a RIFF/WAVE image and their format.
struct WaveImage {
  int formatTag = 0;      // 1 PCM, 3 IEEE float (0xFFFE reads as its subformat)
  int channels = 0;
  int sampleRate = 0;
  int bitsPerSample = 0;
  int blockAlign = 0;
  size_t dataOffset = 0;  // the first sample byte
  size_t dataSize = 0;    // whole frames only, bounded by the image
};

// False unless `bytes` is "RIFF" ... "WAVE" with a "fmt " chunk before a
// "data" chunk, of a format a sink can play (PCM of 8, 16 or 32 bits or
// 32-bit float, 1 to 8 channels, 1 Hz to 384 kHz). A data chunk longer
// than the image gives what the image holds.
bool ParseWaveImage(const uint8_t* bytes, size_t size, WaveImage* wave);

class QAudioSink;
class QBuffer;

class CQtSoundPlayer : public QObject, public CSoundPlayer {
  Q_OBJECT

 public:
  explicit CQtSoundPlayer(QObject* parent = nullptr);
  ~CQtSoundPlayer() override;

  void PlayWave(std::vector<uint8_t> wave) override;
  void Stop() override;

  // A sound was handed to the device and has not yet ended.
  bool IsPlaying() const { return m_sink != nullptr; }

 private:
  std::vector<uint8_t> m_wave;  // owned until the sink is gone
  QBuffer* m_buffer = nullptr;
  QAudioSink* m_sink = nullptr;
  unsigned m_serial = 0;        // which sound a queued end belongs to
};

#endif  // TOMELING_VIEWS_QT_SOUND_PLAYER_H_
