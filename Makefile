# The two commands of the README; everything else is in scripts/ and CMake.
.PHONY: run test bench fuzz gallery dist clean

run:
	@scripts/run.sh

test:
	@scripts/test.sh

bench:
	@scripts/bench.sh

fuzz:
	@scripts/fuzz.sh 600

gallery:
	@scripts/gallery.sh

dist:
	@scripts/dist.sh

clean:
	rm -rf build
