int tidy(int value) {
    int next = value + 1;
    return next * 2;
}
