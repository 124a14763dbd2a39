// Program entry.
#include <cstdio>

int main() {
    std::puts("Veltrane");
    return 0;
}
