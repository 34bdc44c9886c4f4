// See qt_sound_player.h.
#include "views/qt_sound_player.h"

#include <QBuffer>
#include <QByteArray>
#include <QtMultimedia/QAudioDevice>
#include <QtMultimedia/QAudioFormat>
#include <QtMultimedia/QAudioSink>
#include <QtMultimedia/QMediaDevices>
#include <algorithm>
#include <cstring>

namespace {

constexpr int kFormatPcm = 1;
constexpr int kFormatFloat = 3;
constexpr int kFormatExtensible = 0xFFFE;

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}
int Le16(const uint8_t* p) { return p[0] | p[1] << 8; }

bool ReadFormat(const uint8_t* p, size_t length, WaveImage* wave) {
  if (length < 16) return false;
  wave->formatTag = Le16(p);
  wave->channels = Le16(p + 2);
  wave->sampleRate = static_cast<int>(std::min<uint32_t>(Le32(p + 4), 0x7FFFFFFF));
  wave->blockAlign = Le16(p + 12);
  wave->bitsPerSample = Le16(p + 14);
  // WAVE_FORMAT_EXTENSIBLE names the real format in the first two bytes of
  // its subformat GUID.
  if (wave->formatTag == kFormatExtensible && length >= 26) wave->formatTag = Le16(p + 24);
  return true;
}

bool Playable(const WaveImage& w) {
  bool pcm = w.formatTag == kFormatPcm && (w.bitsPerSample == 8 || w.bitsPerSample == 16 || w.bitsPerSample == 32);
  bool real = w.formatTag == kFormatFloat && w.bitsPerSample == 32;
  return (pcm || real) && w.channels >= 1 && w.channels <= 8 && w.sampleRate >= 1 && w.sampleRate <= 384000 &&
         w.blockAlign == w.channels * w.bitsPerSample / 8;
}

QAudioFormat SinkFormat(const WaveImage& w) {
  QAudioFormat format;
  format.setSampleRate(w.sampleRate);
  format.setChannelCount(w.channels);
  if (w.formatTag == kFormatFloat) {
    format.setSampleFormat(QAudioFormat::Float);
  } else {
    switch (w.bitsPerSample) {
      case 8: format.setSampleFormat(QAudioFormat::UInt8); break;
      case 16: format.setSampleFormat(QAudioFormat::Int16); break;
      default: format.setSampleFormat(QAudioFormat::Int32); break;
    }
  }
  return format;
}

}  // namespace

bool ParseWaveImage(const uint8_t* bytes, size_t size, WaveImage* wave) {
  *wave = WaveImage();
  if (bytes == nullptr || size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) {
    return false;
  }
  bool haveFormat = false;
  size_t at = 12;
  // Every chunk moves `at` forward by at least 8 bytes, so the walk ends.
  while (size - at >= 8) {
    const uint8_t* chunk = bytes + at;
    size_t length = Le32(chunk + 4);
    size_t room = size - at - 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (length > room || !ReadFormat(chunk + 8, length, wave)) return false;
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!haveFormat || !Playable(*wave)) return false;
      size_t data = std::min(length, room);
      wave->dataOffset = at + 8;
      wave->dataSize = data - data % static_cast<size_t>(wave->blockAlign);
      return true;
    }
    if (length > room) return false;
    at += 8 + length + (length & 1);
    if (at > size) return false;
  }
  return false;
}

CQtSoundPlayer::CQtSoundPlayer(QObject* parent) : QObject(parent) {}

CQtSoundPlayer::~CQtSoundPlayer() { Stop(); }

void CQtSoundPlayer::PlayWave(std::vector<uint8_t> wave) {
  Stop();
  WaveImage image;
  if (!ParseWaveImage(wave.data(), wave.size(), &image) || image.dataSize == 0) return;
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) return;
  const QAudioFormat format = SinkFormat(image);
  if (!device.isFormatSupported(format)) return;

  m_wave = std::move(wave);
  m_buffer = new QBuffer(this);
  m_buffer->setData(QByteArray::fromRawData(reinterpret_cast<const char*>(m_wave.data() + image.dataOffset),
                                            static_cast<qsizetype>(image.dataSize)));
  m_buffer->open(QIODevice::ReadOnly);
  m_sink = new QAudioSink(device, format, this);
  const unsigned serial = ++m_serial;
  connect(m_sink, &QAudioSink::stateChanged, this, [this, serial](QAudio::State state) {
    // The sink must not be deleted inside its own signal: end it later,
    // unless another sound has taken its place meanwhile.
    if (serial != m_serial) return;
    if (state == QAudio::IdleState || state == QAudio::StoppedState) {
      QMetaObject::invokeMethod(this, [this, serial] {
        if (serial == m_serial) Stop();
      }, Qt::QueuedConnection);
    }
  });
  m_sink->start(m_buffer);
  if (m_sink->error() != QAudio::NoError) Stop();
}

void CQtSoundPlayer::Stop() {
  ++m_serial;
  if (m_sink != nullptr) {
    m_sink->disconnect(this);
    m_sink->stop();
    delete m_sink;
    m_sink = nullptr;
  }
  delete m_buffer;
  m_buffer = nullptr;
  m_wave.clear();
  m_wave.shrink_to_fit();
}
