# pip install --no-build-isolation ./python: builds the module with the project's CMake (Release,
# only the module's target) and installs the package vorne into the running interpreter's
# environment. Needs what scripts/setup installs (CMake, Ninja, Qt 6, pybind11, Python headers).
import os
import pathlib
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

HERE = pathlib.Path(__file__).resolve().parent
SOURCE = HERE.parent


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build = pathlib.Path(self.build_temp).resolve() / "cmake"
        build.mkdir(parents=True, exist_ok=True)
        subprocess.run(["cmake", "-S", str(SOURCE), "-B", str(build), "-G", "Ninja",
                        "-DCMAKE_BUILD_TYPE=Release", "-DBUILD_TESTS=OFF", "-DBUILD_BENCH=OFF",
                        f"-DPython3_EXECUTABLE={sys.executable}"], check=True)
        jobs = os.environ.get("VORNE_JOBS", str(os.cpu_count() or 1))
        subprocess.run(["cmake", "--build", str(build), "--target", "_vorne", "-j", jobs],
                       check=True)
        built = next((build / "python" / "vorne").glob("_vorne*.so"))
        target = pathlib.Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copy(built, target)


setup(
    name="vorne",
    version="2014.6.5",
    description="Axial capacity and settlement of a driven pile: the VORNE engine in process",
    packages=["vorne"],
    ext_modules=[Extension("vorne._vorne", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    install_requires=["numpy"],
    python_requires=">=3.9",
)
