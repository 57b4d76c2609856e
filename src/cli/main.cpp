#include <cstdio>

int main() {
    std::fputs("usage: orvendel-cli read|apply|check ...\n", stderr);
    return 2;
}
