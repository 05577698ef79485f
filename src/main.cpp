#include "Colmira3V42.h"

int main(int argc, char** argv) {
  return Colmira3V42Main(argc, argv);
}
