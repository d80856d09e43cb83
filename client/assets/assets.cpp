// Resources only: the archive needs one unit of its own.
