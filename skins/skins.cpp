// The skin pictures are resources; this unit gives the resource library a home.
