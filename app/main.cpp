#include <cstdio>

int main() {
  std::puts("usage: quorvel [sources | fetch [options] ADDRESS]");
  return 0;
}
