#!/usr/bin/python3
"""A small FUSE file system that is slow where a stale network mount is:
one call of each kind sleeps for SECONDS, everything else answers at once.

  slowfs.py MOUNTPOINT [SECONDS [FLAG]]   mounts it in the foreground until unmounted

  /fast/hit.txt, /fast/also.txt      "needle"
  /fast/denied.txt                   cannot be opened (EACCES)
  /slowreaddir/a.txt                 listing /slowreaddir sleeps
  /slowstat/a.txt, /slowstat/b.txt   examining b.txt sleeps
  /slowopen/a.txt, /slowopen/b.txt   opening b.txt sleeps
  /slowread/a.txt, /slowread/b.txt   reading b.txt sleeps
  /hung/a.txt                        examining the folder /hung itself sleeps
  /stale/a.txt                       examining a.txt sleeps while FLAG exists
  /paged/big.txt, /paged/small.txt   big.txt (200 KB, "needle" on its first and
                                     last line) reads past 100 KB sleep while
                                     FLAG exists

Every other file holds "needle". Run with the system's python3
(python3-fusepy).
"""
import errno
import os
import stat
import sys
import time

from fusepy import FUSE, FuseOSError, Operations

TEXT = b"needle\n"
FILES = {"/fast/hit.txt", "/fast/also.txt", "/fast/denied.txt", "/slowreaddir/a.txt", "/hung/a.txt",
         "/stale/a.txt"}
for case in ("slowstat", "slowopen", "slowread"):
    FILES |= {"/%s/a.txt" % case, "/%s/b.txt" % case}
FILES |= {"/paged/big.txt", "/paged/small.txt"}
DIRECTORIES = {"/"} | {f.rsplit("/", 1)[0] for f in FILES}
BIG = TEXT + (b"x" * 99 + b"\n") * 2000 + TEXT


def content(path):
    return BIG if path == "/paged/big.txt" else TEXT


class SlowFs(Operations):
    def __init__(self, seconds, flag):
        self.seconds = seconds
        self.flag = flag
        self.now = time.time()

    def getattr(self, path, fh=None):
        if path in ("/slowstat/b.txt", "/hung") or (path == "/stale/a.txt" and os.path.exists(self.flag)):
            time.sleep(self.seconds)
        if path in DIRECTORIES:
            return dict(st_mode=stat.S_IFDIR | 0o755, st_nlink=2, st_mtime=self.now, st_ctime=self.now,
                        st_atime=self.now)
        if path in FILES:
            return dict(st_mode=stat.S_IFREG | 0o644, st_nlink=1, st_size=len(content(path)), st_mtime=self.now,
                        st_ctime=self.now, st_atime=self.now)
        raise FuseOSError(errno.ENOENT)

    def readdir(self, path, fh):
        if path == "/slowreaddir":
            time.sleep(self.seconds)
        prefix = path.rstrip("/") + "/"
        names = {p[len(prefix):].split("/", 1)[0] for p in FILES | DIRECTORIES if p.startswith(prefix) and p != prefix}
        return [".", ".."] + sorted(names)

    def open(self, path, flags):
        if path == "/slowopen/b.txt":
            time.sleep(self.seconds)
        if path not in FILES:
            raise FuseOSError(errno.ENOENT)
        if path == "/fast/denied.txt":
            raise FuseOSError(errno.EACCES)
        return 0

    def read(self, path, size, offset, fh):
        if path == "/slowread/b.txt" or (path == "/paged/big.txt" and offset + size > 100000 and
                                         os.path.exists(self.flag)):
            time.sleep(self.seconds)
        return content(path)[offset:offset + size]


if __name__ == "__main__":
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 20
    flag = sys.argv[3] if len(sys.argv) > 3 else "/nonexistent"
    FUSE(SlowFs(seconds, flag), sys.argv[1], foreground=True, nothreads=False, ro=True, attr_timeout=0,
         entry_timeout=0, direct_io=True)
