// driver/main.cpp: the tarvik executable's start-up order. The embedded check comes
// before any option is looked at.
#include <malloc.h>
#include <sys/mman.h>

#include <cstdio>
#include <string_view>
#include <vector>

#include "driver/options.h"
#include "driver/package_source.h"
#include "driver/vm_lifecycle.h"
#include "runtime/console.h"
#include "runtime/vm_options.h"

using namespace tarvik;

extern "C" char __executable_start, etext;

namespace {

// The kernel maps the neighbours of every code page a start-up touches; most of the
// program's code never runs in a given script, so ask for exactly the pages used.
void map_only_used_code() {
    auto start = reinterpret_cast<uintptr_t>(&__executable_start) & ~uintptr_t(4095);
    madvise(reinterpret_cast<void*>(start), reinterpret_cast<uintptr_t>(&etext) - start, MADV_RANDOM);
}

}  // namespace

int main(int argc, char** argv) {
    // Buffers of 128 KiB and more come straight from the kernel and go back to it
    // when freed (pages nobody touches cost no memory); a fixed threshold also keeps
    // glibc from raising it after the first large free. Smaller buffers, such as
    // the 64 KiB pieces of a stream copy, are reused from the heap rather than mapped
    // and faulted in again on every call.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    map_only_used_code();
    console_setup();

    std::vector<uint8_t> embedded;
    if (find_embedded_package(&embedded)) {
        int count = argc - 1 > kMaxScriptArgs ? kMaxScriptArgs : argc - 1;
        g_script_args = ScriptArgs{count, count > 0 ? argv + 1 : nullptr};
        g_options.jit = true;
        vm_initialize();
        vm_run_package_memory(embedded.data(), embedded.size());
    }

    if (argc < 2) {
        print_usage();
        return 1;
    }
    CommandLine command_line;
    parse_command_line(argc, argv, &command_line);

    char banner[128];
    print_banner_line(banner, sizeof banner);
    print_verbose("%s", banner);
    vm_initialize();
    if (!command_line.exec_path) {
        print_usage();
        vm_shutdown(1);
    }
    if (std::string_view(command_line.exec_path) == "-") {
        std::vector<uint8_t> bytes = read_package_from_stdin();
        vm_run_package_memory(bytes.data(), bytes.size());
    }
    vm_run_package_file(command_line.exec_path);
}
