/* A folder served as a slow network share for the tests and the benchmarks:
 *   slow_share SOURCE MOUNTPOINT CONTROL [-d MICROSECONDS]
 * Every call waits the delay (1 ms unless -d says otherwise) and then acts on
 * SOURCE. CONTROL is a file outside the share, read every few milliseconds:
 * "stop" in it and every call waits until it says "go" (or anything else),
 * as calls to a server that stopped answering do; "delay N" sets the delay.
 * Runs until unmounted (fusermount3 -u MOUNTPOINT). */
#define FUSE_USE_VERSION 31
#define _GNU_SOURCE

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <fuse.h>
#include <limits.h>
#include <pthread.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <time.h>
#include <unistd.h>

static char source[PATH_MAX];
static char control[PATH_MAX];
static atomic_long delay_us = 1000;
static atomic_int stopped = 0;

static void sleep_us(long us) {
    struct timespec time = {us / 1000000, (us % 1000000) * 1000};
    while (nanosleep(&time, &time) != 0 && errno == EINTR) {
    }
}

/* What the server does before each answer. */
static void pace(void) {
    sleep_us(atomic_load(&delay_us));
    while (atomic_load(&stopped)) sleep_us(2000);
}

static void read_control(void) {
    char text[128] = "";
    FILE* file = fopen(control, "r");
    if (!file) return;
    size_t length = fread(text, 1, sizeof text - 1, file);
    fclose(file);
    text[length] = '\0';
    const char* delay = strstr(text, "delay ");
    if (delay) atomic_store(&delay_us, strtol(delay + 6, NULL, 10));
    atomic_store(&stopped, strstr(text, "stop") != NULL);
}

static void* watch_control(void* unused) {
    (void)unused;
    for (;;) {
        read_control();
        sleep_us(5000);
    }
    return NULL;
}

/* The path below SOURCE; every path the kernel hands over starts with '/'. */
static void real(char out[PATH_MAX], const char* path) { snprintf(out, PATH_MAX, "%s%s", source, path); }

#define PACED_PATH(path)  \
    char full[PATH_MAX]; \
    pace();              \
    real(full, path)

static int result(int status) { return status == -1 ? -errno : status; }

static int share_getattr(const char* path, struct stat* stat, struct fuse_file_info* file) {
    (void)file;
    PACED_PATH(path);
    return result(lstat(full, stat));
}

static int share_readlink(const char* path, char* buffer, size_t size) {
    PACED_PATH(path);
    ssize_t length = readlink(full, buffer, size - 1);
    if (length == -1) return -errno;
    buffer[length] = '\0';
    return 0;
}

static int share_opendir(const char* path, struct fuse_file_info* file) {
    PACED_PATH(path);
    DIR* folder = opendir(full);
    if (!folder) return -errno;
    file->fh = (uintptr_t)folder;
    return 0;
}

/* A page at a time from where the last left off, each page one call, as a
 * server hands a folder over in pieces. */
static int share_readdir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t offset,
                         struct fuse_file_info* file, enum fuse_readdir_flags flags) {
    (void)path;
    (void)flags;
    pace();
    DIR* folder = (DIR*)(uintptr_t)file->fh;
    seekdir(folder, offset);
    struct dirent* entry;
    while ((entry = readdir(folder)) != NULL) {
        struct stat stat = {.st_ino = entry->d_ino, .st_mode = (mode_t)DTTOIF(entry->d_type)};
        if (fill(buffer, entry->d_name, &stat, telldir(folder), 0)) break;
    }
    return 0;
}

static int share_releasedir(const char* path, struct fuse_file_info* file) {
    (void)path;
    closedir((DIR*)(uintptr_t)file->fh);
    return 0;
}

static int share_mkdir(const char* path, mode_t mode) {
    PACED_PATH(path);
    return result(mkdir(full, mode));
}

static int share_unlink(const char* path) {
    PACED_PATH(path);
    return result(unlink(full));
}

static int share_rmdir(const char* path) {
    PACED_PATH(path);
    return result(rmdir(full));
}

static int share_symlink(const char* target, const char* path) {
    PACED_PATH(path);
    return result(symlink(target, full));
}

static int share_rename(const char* from, const char* to, unsigned int flags) {
    if (flags) return -EINVAL;
    char fullTo[PATH_MAX];
    PACED_PATH(from);
    real(fullTo, to);
    return result(rename(full, fullTo));
}

static int share_chmod(const char* path, mode_t mode, struct fuse_file_info* file) {
    (void)file;
    PACED_PATH(path);
    return result(chmod(full, mode));
}

static int share_truncate(const char* path, off_t size, struct fuse_file_info* file) {
    pace();
    if (file) return result(ftruncate((int)file->fh, size));
    char full[PATH_MAX];
    real(full, path);
    return result(truncate(full, size));
}

static int share_utimens(const char* path, const struct timespec times[2], struct fuse_file_info* file) {
    (void)file;
    PACED_PATH(path);
    return result(utimensat(AT_FDCWD, full, times, AT_SYMLINK_NOFOLLOW));
}

static int share_open(const char* path, struct fuse_file_info* file) {
    PACED_PATH(path);
    int descriptor = open(full, file->flags);
    if (descriptor == -1) return -errno;
    file->fh = (uint64_t)descriptor;
    return 0;
}

static int share_create(const char* path, mode_t mode, struct fuse_file_info* file) {
    PACED_PATH(path);
    int descriptor = open(full, file->flags, mode);
    if (descriptor == -1) return -errno;
    file->fh = (uint64_t)descriptor;
    return 0;
}

static int share_read(const char* path, char* buffer, size_t size, off_t offset, struct fuse_file_info* file) {
    (void)path;
    pace();
    return result((int)pread((int)file->fh, buffer, size, offset));
}

static int share_write(const char* path, const char* buffer, size_t size, off_t offset,
                       struct fuse_file_info* file) {
    (void)path;
    pace();
    return result((int)pwrite((int)file->fh, buffer, size, offset));
}

static int share_statfs(const char* path, struct statvfs* stat) {
    PACED_PATH(path);
    return result(statvfs(full, stat));
}

static int share_release(const char* path, struct fuse_file_info* file) {
    (void)path;
    close((int)file->fh);
    return 0;
}

static int share_fsync(const char* path, int dataOnly, struct fuse_file_info* file) {
    (void)path;
    pace();
    return result(dataOnly ? fdatasync((int)file->fh) : fsync((int)file->fh));
}

static int share_setxattr(const char* path, const char* name, const char* value, size_t size, int flags) {
    PACED_PATH(path);
    return result(lsetxattr(full, name, value, size, flags));
}

static int share_getxattr(const char* path, const char* name, char* value, size_t size) {
    PACED_PATH(path);
    return result((int)lgetxattr(full, name, value, size));
}

static int share_listxattr(const char* path, char* list, size_t size) {
    PACED_PATH(path);
    return result((int)llistxattr(full, list, size));
}

static int share_removexattr(const char* path, const char* name) {
    PACED_PATH(path);
    return result(lremovexattr(full, name));
}

/* The source's inode numbers, so a folder keeps its identity as on a server. */
static void* share_init(struct fuse_conn_info* connection, struct fuse_config* config) {
    (void)connection;
    config->use_ino = 1;
    config->readdir_ino = 1;
    pthread_t watcher;
    pthread_create(&watcher, NULL, watch_control, NULL);
    pthread_detach(watcher);
    return NULL;
}

static const struct fuse_operations operations = {
    .init = share_init,
    .getattr = share_getattr,
    .readlink = share_readlink,
    .opendir = share_opendir,
    .readdir = share_readdir,
    .releasedir = share_releasedir,
    .mkdir = share_mkdir,
    .unlink = share_unlink,
    .rmdir = share_rmdir,
    .symlink = share_symlink,
    .rename = share_rename,
    .chmod = share_chmod,
    .truncate = share_truncate,
    .utimens = share_utimens,
    .open = share_open,
    .create = share_create,
    .read = share_read,
    .write = share_write,
    .statfs = share_statfs,
    .release = share_release,
    .fsync = share_fsync,
    .setxattr = share_setxattr,
    .getxattr = share_getxattr,
    .listxattr = share_listxattr,
    .removexattr = share_removexattr,
};

int main(int argc, char* argv[]) {
    if (argc != 4 && !(argc == 6 && strcmp(argv[4], "-d") == 0)) {
        fprintf(stderr, "usage: %s SOURCE MOUNTPOINT CONTROL [-d MICROSECONDS]\n", argv[0]);
        return 2;
    }
    if (!realpath(argv[1], source)) {
        perror(argv[1]);
        return 1;
    }
    /* Absolute, as the library leaves the working folder. */
    char here[PATH_MAX] = "";
    if (argv[3][0] != '/' && !getcwd(here, sizeof here)) return 1;
    snprintf(control, sizeof control, "%s%s%s", here, here[0] ? "/" : "", argv[3]);
    if (argc == 6) atomic_store(&delay_us, strtol(argv[5], NULL, 10));
    read_control();
    /* In the foreground, so whoever started it knows when it ends; many
     * threads, so a stopped call does not hold up the others' pace. */
    char* fuseArgs[] = {argv[0], argv[2], "-f", "-o", "fsname=slow_share,subtype=slow_share,max_threads=64", NULL};
    return fuse_main(5, fuseArgs, &operations, NULL);
}
