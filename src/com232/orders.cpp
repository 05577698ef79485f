#include "com232/orders.h"

#include "com232/link.h"

int ExchangeOrder(uint8_t order, uint16_t argument, int dataWords) {
  int bytes = 2 * dataWords;
  BuildRequest(order, argument, static_cast<uint16_t>(bytes));
  return Transfer(kHeaderBytes + bytes);
}
