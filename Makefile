# The two commands of the README; everything else is in scripts/ and CMake.
.PHONY: run test fuzz gallery clean

run:
	@scripts/run.sh

test:
	@scripts/test.sh

clean:
	rm -rf build
