"""A test case with a fresh folder of its own, removed afterwards even where a test made
parts of it read-only."""
import os
import shutil
import tempfile
import unittest


class ScratchFolderCase(unittest.TestCase):
    prefix = "e2e-"

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix=self.prefix, dir=os.environ.get("E2E_TMP"))
        os.chmod(self.dir, 0o755)  # an unprivileged user must be able to reach it

    def tearDown(self):
        for root, dirs, _ in os.walk(self.dir):
            for d in dirs:
                os.chmod(os.path.join(root, d), 0o755)
        shutil.rmtree(self.dir, ignore_errors=True)
