/* The floor for the creator benchmark: the least a program can do to create each named
   file exclusively. */
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char **argv) {
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    int fd = open(argv[i], O_RDWR | O_CREAT | O_EXCL, 0666);
    status = fd < 0 ? 1 : close(fd);
  }
  return status;
}
