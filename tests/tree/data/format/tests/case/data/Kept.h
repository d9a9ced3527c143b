int   kept( int value ){return value+1;}
