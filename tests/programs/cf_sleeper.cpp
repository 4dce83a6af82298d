// Sleeps for the given number of milliseconds, then writes a marker file if asked.
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

int main(int argc, char **argv)
{
    const int ms = argc > 1 ? std::atoi(argv[1]) : 1000;
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    if (argc > 2)
        std::ofstream(argv[2]) << "done\n";
    return 0;
}
