// Building requests and reading reply headers and data.
#include <cstring>

#include "com232/crc8.h"
#include "com232/link.h"

LinkChannel gChannel;
Link gLink;

void BuildRequest(uint8_t order, uint16_t argument, uint16_t dataLength) {
  uint8_t* f = gLink.RequestFrame;
  // Requests never carry more than the data-word buffer holds.
  if (dataLength > 2 * kWordBufferWords) dataLength = 2 * kWordBufferWords;
  f[0] = kFrameStart;
  f[1] = order;
  f[2] = static_cast<uint8_t>(argument & 0xFF);
  f[3] = static_cast<uint8_t>(argument >> 8);
  f[4] = static_cast<uint8_t>(dataLength & 0xFF);
  f[5] = static_cast<uint8_t>(dataLength >> 8);
  f[6] = kEmptyDataCrc;
  if (dataLength > 0) {
    for (int i = 0; i < dataLength / 2; ++i) {
      f[kHeaderBytes + 2 * i] = static_cast<uint8_t>(gLink.DataWords[i] & 0xFF);
      f[kHeaderBytes + 2 * i + 1] = static_cast<uint8_t>(gLink.DataWords[i] >> 8);
    }
    f[6] = Crc8(f, kHeaderBytes, dataLength);
  }
  f[7] = Crc8(f, 0, 7);
}

int CheckHeader() {
  const uint8_t* b = gLink.ReceiveBuffer;
  uint16_t length = static_cast<uint16_t>(b[4] | (b[5] << 8));
  // A length beyond the buffer cannot be a reply of this sensor; taking it
  // would read past the buffer, so it counts as a broken header.
  if (Crc8(b, 0, kHeaderBytes) != 0 || b[0] != kFrameStart || length > kMaxReplyDataBytes) {
    SetLinkMessage(kHeaderIncorrectText);
    ShowLinkError();
    return -1;
  }
  gLink.replyCode = b[1];
  gLink.statusWord = static_cast<uint16_t>(b[2] | (b[3] << 8));
  gLink.dataLength = length;
  gLink.dataCrc = b[6];
  return 1;
}

namespace {
void Unpack(uint16_t* target) {
  int words = gLink.dataLength / 2;
  if (words > kWordBufferWords) words = kWordBufferWords;
  const uint8_t* d = gLink.ReceiveBuffer + kHeaderBytes;
  for (int i = 0; i < words; ++i) target[i] = static_cast<uint16_t>(d[2 * i] | (d[2 * i + 1] << 8));
}
}  // namespace

void UnpackReplyToDataWords() {
  Unpack(gLink.DataWords);
}
void UnpackReplyToReplyWords() {
  Unpack(gLink.ReplyWords);
}
