/*
 * Does this machine's kernel execute 32-bit x86 code inside a 64-bit
 * process, the way Wine's WoW64 mode runs a 32-bit Windows program?  Wine
 * needs two things: a far return to the kernel's 32-bit code segment
 * (selector 0x23), and the 32-bit set_thread_area call through int 0x80 for
 * the 32-bit TEB selector.  Some virtual machines provide neither; there the
 * 32-bit nkcfg.exe cannot start under any Wine.
 *
 * A native Linux program; each check runs in a child, whose crash is the
 * answer.  Exit status 0: both work; 1: they do not.
 */
#define _GNU_SOURCE
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#if !defined(__x86_64__)
#error "an x86-64 check"
#endif

/* Far return into 32-bit mode at a label below 4 GiB, then back to 64-bit
   mode; both stack and code must be addressable with 32 bits. */
static void run_32bit_segment(void)
{
    uint8_t* low = mmap(NULL, 65536, PROT_READ | PROT_WRITE | PROT_EXEC,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
    if (low == MAP_FAILED)
        _exit(2);
    /* 32-bit code: mov eax, 0x1234; push 0x33; push <back>; retf */
    static const uint8_t code32[] = {0xB8, 0x34, 0x12, 0x00, 0x00, 0x6A, 0x33, 0x68, 0, 0, 0, 0, 0xCB};
    uint8_t* code = low;
    memcpy(code, code32, sizeof code32);
    /* 64-bit landing pad right after it: ret (back to the C code below). */
    uint8_t* back = code + 16;
    back[0] = 0xC3;
    const uint32_t back32 = (uint32_t)(uintptr_t)back;
    memcpy(code + 8, &back32, 4);
    uint32_t result = 0;
    uintptr_t stack_top = (uintptr_t)(low + 65536 - 64);
    __asm__ volatile(
        "mov %%rsp, %%r12\n\t"
        "mov %[stack], %%rsp\n\t"
        "lea 1f(%%rip), %%rax\n\t"
        "push %%rax\n\t"          /* where the landing pad's ret goes */
        "pushq $0x23\n\t"
        "push %[code]\n\t"
        "lretq\n\t"
        "1:\n\t"
        "mov %%r12, %%rsp\n\t"
        : "=&a"(result)
        : [stack] "r"(stack_top), [code] "r"((uintptr_t)code)
        : "r12", "memory");
    _exit(result == 0x1234 ? 0 : 3);
}

/* set_thread_area through the 32-bit system call gate, as Wine calls it. */
static void call_int80(void)
{
    uint32_t* low = mmap(NULL, 4096, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
    if (low == MAP_FAILED)
        _exit(2);
    low[0] = 0xFFFFFFFFu;  /* entry_number: any free one */
    low[1] = 0;            /* base */
    low[2] = 0xFFFFF;      /* limit */
    low[3] = 0x41;         /* seg_32bit, useable */
    long result = 0;
    __asm__ volatile("int $0x80" : "=a"(result) : "a"(243L), "b"(low) : "memory");
    _exit(result == 0 ? 0 : 4);
}

static int survives(void (*check)(void))
{
    fflush(stdout);
    const pid_t child = fork();
    if (child == 0)
        check();
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return 0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int main(void)
{
    const int segment = survives(run_32bit_segment);
    const int gate = survives(call_int80);
    printf("32-bit code segment: %s; int 0x80 system calls: %s\n", segment ? "runs" : "faults",
           gate ? "work" : "fault");
    return segment && gate ? 0 : 1;
}
